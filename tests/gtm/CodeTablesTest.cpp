#include "CodeTables.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace wavemark {
namespace {

TEST(CodeTables, SymbolTableHoldsEveryGtmSymbolOnce) {
    const auto symbols = WaypointSymbols();
    ASSERT_EQ(symbols.size(), 192u);
    std::set<int> codes;
    for (const CodeRow& row : symbols) {
        codes.insert(row.code);
    }
    EXPECT_EQ(codes.size(), 192u);
    EXPECT_EQ(*codes.begin(), 1);
    EXPECT_EQ(*codes.rbegin(), 192);
    EXPECT_EQ(symbols.front().name, "(Blank)");
    EXPECT_EQ(symbols.front().code, 102);
    EXPECT_EQ(symbols.back().name, "Zoo");
    EXPECT_EQ(symbols.back().code, 86);
    EXPECT_EQ(symbols[100].name, "Magellan\u00AE Waypoint");
}

TEST(CodeTables, ThreeSymbolNamesAppearTwiceWithTheirOwnCodes) {
    auto codesOf = [](std::string_view name) {
        std::vector<int> codes;
        for (const CodeRow& row : WaypointSymbols()) {
            if (row.name == name) {
                codes.push_back(row.code);
            }
        }
        return codes;
    };
    EXPECT_EQ(codesOf("Crossing"), (std::vector<int>{63, 131}));
    EXPECT_EQ(codesOf("Fishing Area"), (std::vector<int>{14, 123}));
    EXPECT_EQ(codesOf("School"), (std::vector<int>{35, 148}));
}

TEST(CodeTables, StoredCodesSelectTheirRows) {
    EXPECT_EQ(SymbolPosition(141), 137);
    EXPECT_EQ(WaypointSymbols()[137].name, "Radio Beacon");
    EXPECT_EQ(SymbolPosition(44), 175);
    EXPECT_EQ(WaypointSymbols()[175].name, "Tall Tower");
    EXPECT_EQ(SymbolPosition(131), 44);
    EXPECT_EQ(SymbolPosition(0), std::nullopt);
    EXPECT_EQ(SymbolPosition(193), std::nullopt);

    EXPECT_EQ(DisplayStylePosition(4), 2);
    EXPECT_EQ(WaypointDisplayStyles()[2].name, "Textbox with Name");
    EXPECT_EQ(DisplayStylePosition(3), 1);
    EXPECT_EQ(DisplayStylePosition(1), std::nullopt);
    EXPECT_EQ(DisplayStylePosition(5), std::nullopt);

    EXPECT_EQ(LineStylePosition(2), 1);
    EXPECT_EQ(TrackLineStyles()[1].name, "Thick line");
    EXPECT_EQ(LineStylePosition(17), 6);
    EXPECT_EQ(LineStylePosition(18), 7);
    EXPECT_EQ(LineStylePosition(7), std::nullopt);
}

} // namespace
} // namespace wavemark
