#pragma once

#include "platform/LineStream.h"
#include "survey/AccessPoint.h"

#include <optional>

namespace wavemark {

// Reads a recognised summary export, whose first line `lines` has given: an
// access point from every well-formed data line, with or without a position,
// and the date of the last date line (line 4's when there is no other) as
// the log date. The file is read once and never held whole. Nothing when it
// could not be read to its end (the stream's error() says why).
std::optional<AccessPointList> ReadSummaryExport(LineStream& lines);

} // namespace wavemark
