#pragma once

#include "platform/LineStream.h"
#include "survey/AccessPoint.h"

#include <functional>
#include <optional>
#include <string>

namespace wavemark {

// Reads a recognised summary export, whose first line `lines` has given,
// handing `each` an access point from every well-formed data line, with or
// without a position, in file order. The file is read once and nothing of
// it is kept: a survey of millions of access points never exists as a list.
// Returns the date of the last date line (line 4's when there is no other)
// as the log date; nothing when the file could not be read to its end (the
// stream's error() says why).
std::optional<std::string>
ReadSummaryExport(LineStream& lines, const std::function<void(const AccessPointView&)>& each);

} // namespace wavemark
