#include "CodeTables.h"

#include <gtest/gtest.h>
#include <ranges>
#include <set>

namespace wavemark {
namespace {

// Every code of a list selects its own row, though three symbol names appear
// twice with codes of their own; a code the list lacks selects nothing.
TEST(CodeTables, EveryStoredCodeSelectsItsOwnRow) {
    const auto symbolCodes = std::views::iota(1, 193);
    const struct {
        std::span<const CodeRow> rows;
        std::optional<int> (*position)(int);
        std::set<int> codes;
    } lists[] = {{WaypointSymbols(), &SymbolPosition, {symbolCodes.begin(), symbolCodes.end()}},
                 {WaypointDisplayStyles(), &DisplayStylePosition, {2, 3, 4}},
                 {TrackLineStyles(), &LineStylePosition, {1, 2, 3, 4, 5, 6, 17, 18}}};
    for (const auto& list : lists) {
        SCOPED_TRACE(list.rows.front().name);
        std::set<int> codes;
        for (size_t row = 0; row < list.rows.size(); ++row) {
            codes.insert(list.rows[row].code);
            EXPECT_EQ(list.position(list.rows[row].code), static_cast<int>(row));
        }
        EXPECT_EQ(codes, list.codes);
        EXPECT_EQ(codes.size(), list.rows.size()) << "a code appears twice";
        for (int code = -1; code <= 200; ++code) {
            if (!codes.contains(code)) {
                EXPECT_EQ(list.position(code), std::nullopt) << code;
            }
        }
    }
    // The lists show the names as UTF-8.
    EXPECT_EQ(WaypointSymbols()[100].name, "Magellan\u00AE Waypoint");
}

} // namespace
} // namespace wavemark
