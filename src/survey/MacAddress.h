#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace wavemark {

// A MAC address as scanners write it, "00:0B:86:c2:e1:40" (":" or "-"
// between the octets, hex digits in either case, blanks around ignored), as
// its 48-bit value, first octet highest; nothing for anything else (a cell
// row's key, for one).
std::optional<uint64_t> ParseMac(std::string_view text);

} // namespace wavemark
