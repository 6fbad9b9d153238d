#pragma once

#include "platform/ByteStream.h"
#include "survey/Survey.h"
#include "survey/SurveyFile.h"

namespace wavemark {

// Reads NetStumbler's own log (file versions 1, 6, 8, 11 and 12).
SurveyProblem ReadNs1(ByteStream& stream, Survey& survey);

} // namespace wavemark
