#pragma once

#include "platform/ByteStream.h"
#include "survey/Survey.h"

#include <string>

namespace wavemark {

// What went wrong reading a survey file: a read that failed (errno), or a
// file that is not what its start promised (a text for the user, such as
// "Is a truncated NS1 file"). Both empty when the survey was read.
struct SurveyProblem {
    int error = 0;
    std::string text;

    bool none() const { return error == 0 && text.empty(); }
};

// Reads a whole survey file, whose start told its format, into `survey`.
using SurveyReader = SurveyProblem (*)(ByteStream& stream, Survey& survey);

} // namespace wavemark
