#pragma once

#include "survey/SurveyFile.h"

namespace wavemark {

// Reads a summary export from its start, handing the sink an access point
// from every well-formed data line, with or without a position, in file
// order, and as the log date the date of the last date line (line 4's when
// there is no other). The file is read once and nothing of it is kept: a
// survey of millions of access points never exists as a list. Its readings
// are in the text export (see TextExportReader.h).
SurveyProblem ReadSummaryExport(LineStream& lines, SurveySink& sink);

} // namespace wavemark
