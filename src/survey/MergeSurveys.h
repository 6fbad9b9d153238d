#pragma once

#include "survey/Survey.h"

namespace wavemark {

// Adds `next` to `total`, as several files of one survey: an access point of
// a BSSID that `total` already has is one access point, kept with its
// strongest reading (the earlier of equals); readings of a BSSID follow one
// another in the order the surveys are merged. The log date is the later
// one; what was left out adds up.
void MergeSurvey(Survey& total, Survey& next);

} // namespace wavemark
