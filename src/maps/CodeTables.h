#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace wavemark {

// The names the user picks from and the codes the GTM file carries. A row's
// list position is its index in the table; names (UTF-8) are shown only in
// the selection lists, everything else carries the code.
struct CodeRow {
    std::string_view name;
    int16_t code;
};

std::span<const CodeRow> WaypointSymbols();       // 192 rows, codes 1..192
std::span<const CodeRow> WaypointDisplayStyles(); // 3 rows, codes 2..4
std::span<const CodeRow> TrackLineStyles();       // 8 rows

// List position that shows a stored code, or nothing when no row carries it.
std::optional<int> SymbolPosition(int code);
std::optional<int> DisplayStylePosition(int code);
std::optional<int> LineStylePosition(int code);

// The name of a symbol code, for map formats that name symbols rather than
// number them; nothing for a code no row carries.
std::optional<std::string_view> SymbolName(int code);

} // namespace wavemark
