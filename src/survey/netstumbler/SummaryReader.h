#pragma once

#include "platform/LoadFile.h"
#include "survey/AccessPoint.h"

namespace wavemark {

// Reads a recognised summary export: an access point from every well-formed
// data line, with or without a position, and the date of the last date line
// (line 4's when there is no other) as the log date.
AccessPointList ReadSummaryExport(const modLoadFile::LoadedLines& lines);

} // namespace wavemark
