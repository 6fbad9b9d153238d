#pragma once

#include "platform/ByteStream.h"
#include "survey/Survey.h"
#include "survey/SurveyFile.h"

namespace wavemark {

// Reads a WiGLE CSV file (WigleWifi-1.4 and 1.6).
SurveyProblem ReadWigleCsv(ByteStream& stream, Survey& survey);

} // namespace wavemark
