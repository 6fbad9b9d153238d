#pragma once

#include "survey/SurveyFile.h"

#include <cstddef>

namespace wavemark {

// Reads a text export from its start: the positioned readings of the
// BSSIDs the sink wants (see SurveySink::wantedGroups), in file order, go to
// its readings, which have room for those groups. Line 4's date is in force
// from line 5 until the next date line; the one in force at the end is the
// log date. The file is read once; what is kept grows with the readings
// wanted, not with the file. The first block of at least `splitMinimum`
// bytes starts a helper thread that reads blocks beside this one.
SurveyProblem ReadTextExport(LineStream& lines, SurveySink& sink,
                             size_t splitMinimum = kSplitMinimum);

} // namespace wavemark
