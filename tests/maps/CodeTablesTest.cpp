#include "maps/CodeTables.h"

#include <cctype>
#include <gtest/gtest.h>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace wavemark {
namespace {

struct Row {
    int code;
    std::string_view name;
    bool operator==(const Row&) const = default;
    friend void PrintTo(const Row& row, std::ostream* os) { *os << row.code << " " << row.name; }
};

// A list shows `expected` in that order, and a stored code selects the row
// that carries it; a code the list lacks selects nothing.
void expectList(std::span<const CodeRow> rows, std::optional<int> (*position)(int),
                const std::vector<Row>& expected) {
    ASSERT_EQ(rows.size(), expected.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ((Row{rows[i].code, rows[i].name}), expected[i]) << "row " << i;
    }
    std::map<int, int> positions;
    for (size_t i = 0; i < expected.size(); ++i) {
        positions[expected[i].code] = static_cast<int>(i);
    }
    for (int code = -1; code <= 200; ++code) {
        const auto found = positions.find(code);
        EXPECT_EQ(position(code),
                  found == positions.end() ? std::nullopt : std::optional(found->second))
            << code;
    }
}

// The symbols are listed by name, ignoring letter case and hyphens; the three names that occur
// twice are listed in code order. A code names its row, and codes 1 to 192 each have one. (The
// names by code are checked against tests/data/gtm-symbols.txt and gpsbabel in
// cli.interop_gpsbabel.)
std::string sortKey(std::string_view name) {
    std::string key;
    for (const char c : name) {
        if (c != '-') {
            key.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
        }
    }
    return key;
}

TEST(CodeTables, WaypointSymbols) {
    const std::span<const CodeRow> rows = WaypointSymbols();
    ASSERT_EQ(rows.size(), 192u);
    std::set<int> codes;
    for (size_t i = 0; i < rows.size(); ++i) {
        codes.insert(rows[i].code);
        EXPECT_EQ(SymbolPosition(rows[i].code), static_cast<int>(i)) << rows[i].name;
        EXPECT_EQ(SymbolName(rows[i].code), rows[i].name);
        if (i > 0) {
            EXPECT_LT(std::pair(sortKey(rows[i - 1].name), rows[i - 1].code),
                      std::pair(sortKey(rows[i].name), rows[i].code))
                << "row " << i;
        }
    }
    EXPECT_EQ(codes.size(), 192u);
    EXPECT_EQ(*codes.begin(), 1);
    EXPECT_EQ(*codes.rbegin(), 192);
    for (const int code : {-1, 0, 193}) {
        EXPECT_EQ(SymbolPosition(code), std::nullopt) << code;
        EXPECT_EQ(SymbolName(code), std::nullopt) << code;
    }
    // The first-start symbols, and the one name beyond ASCII.
    EXPECT_EQ(SymbolName(141), "Radio Beacon");
    EXPECT_EQ(SymbolName(44), "Tall Tower");
    EXPECT_EQ(SymbolName(151), "Magellan\u00AE Waypoint");
}

TEST(CodeTables, DisplayAndLineStyles) {
    expectList(WaypointDisplayStyles(), &DisplayStylePosition,
               {{2, "Icon only"}, {3, "Icon with Name"}, {4, "Textbox with Name"}});
    expectList(TrackLineStyles(), &LineStylePosition,
               {{1, "Thin line"},
                {2, "Thick line"},
                {3, "Double lines"},
                {4, "Thin line with dash"},
                {5, "Thick line with dash"},
                {6, "Line with cross"},
                {17, "Filled track"},
                {18, "Filled track with border"}});
}

} // namespace
} // namespace wavemark
