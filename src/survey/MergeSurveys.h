#pragma once

#include "survey/Survey.h"

#include <cstddef>
#include <vector>

namespace wavemark {

// Adds surveys up, as several files of one survey: an access point of a
// BSSID already there is one access point, kept with its strongest reading
// (the earlier of equals); readings of a BSSID follow one another in the
// order the surveys are added. The log date is the latest; what was left
// out adds up. Each survey costs the time of its own size, whatever came
// before it.
class SurveyMerger {
public:
    void add(Survey&& next);
    Survey& total() { return m_total; }

private:
    Survey m_total;
    bool m_empty = true;
    // The BSSIDs of the total's access points, and the first access point
    // of each by its number.
    BssidTable m_bssids;
    std::vector<size_t> m_accessPointOf;
};

} // namespace wavemark
