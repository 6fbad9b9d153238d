#pragma once

#include "platform/LineStream.h"
#include "platform/OrderedPieces.h"
#include "survey/SurveySink.h"

#include <cstddef>
#include <string>

namespace wavemark {

// What went wrong reading a survey file: a read that failed (errno), or a
// file that is not what its start promised (a text for the user that says
// where, such as "Ends inside record 3 of 12"). Both empty when the survey
// was read.
struct SurveyProblem {
    int error = 0;
    std::string text;

    bool none() const { return error == 0 && text.empty(); }
};

// The sizes a survey is read with. Tests make them small, so that a small
// survey meets the block edges and the two-thread split that a large one
// meets.
struct ReadSizes {
    size_t block = kLineBlockSize;
    size_t splitMinimum = kSplitMinimum;
};

// Reads a survey file whose first bytes told its format, from its start,
// into `sink`. A failed read stops it with its errno, a file that is broken
// with a text; a row it leaves out it counts in the sink.
using SurveyReader = SurveyProblem (*)(LineStream& input, SurveySink& sink, const ReadSizes& sizes);

} // namespace wavemark
