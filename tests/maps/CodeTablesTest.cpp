#include "maps/CodeTables.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <gtest/gtest.h>
#include <map>
#include <ostream>
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

// The symbol names by GTM code, from code 1 on (UTF-8, as the lists show them).
// clang-format off
constexpr std::array<std::string_view, 192> kSymbolNamesByCode{
    /*   1 */ "Airport", "Ball Park", "Bank", "Bar", "Boat Ramp", "Campground", "Car", "City Large",
    /*   9 */ "City Medium", "City small", "Dam", "Danger Area", "Drinking Water", "Fishing Area",
    /*  15 */ "Gas Station", "Glider Area", "Golf Course", "Heliport", "Hotel", "Animals",
    /*  21 */ "Information", "Man Overboard", "Marina", "Mine", "Medical Facility",
    /*  26 */ "Parachute Area", "Park", "Parking Area", "Picnic Area", "Private Field", "Residence",
    /*  32 */ "Restaurant", "Restroom", "Scenic Area", "School", "Seaplane Base", "Shipwreck",
    /*  38 */ "Shopping Center", "Short Tower", "Policy", "Skiing Area", "Soft Field",
    /*  43 */ "Swimming Area", "Tall Tower", "Telephone", "Tracback Point", "Ultralight Area",
    /*  48 */ "Waypoint", "Boat", "Exit", "Flag", "Duck", "Buoy", "Back Track", "Beach", "Bridge",
    /*  57 */ "Building", "Car Repair", "Cemetary", "Church", "Civil", "Convenience", "Crossing",
    /*  64 */ "Fast Food", "Forest", "Ghost Town", "Levee", "Military", "Oil Field", "Post Office",
    /*  71 */ "Rv Park", "Scales", "Summit", "Toll Booth", "Trail Head", "Truck Stop", "Tunnel",
    /*  78 */ "Highway", "Gate", "Fall", "Fence", "Mata-Burro", "Fitness Center", "Movie Theater",
    /*  85 */ "Live Theater", "Zoo", "Horn", "Bowling", "Car Rental", "City Capitol",
    /*  91 */ "Controlled Area", "Stadium", "Museum", "Amusement Park", "Skull", "Department Store",
    /*  97 */ "Pharmacy", "Pizza", "Diver Down", "Light", "Pin", "(Blank)", "Pigsty", "Tree",
    /* 105 */ "Bamboo", "Banana Plant", "Arrow-Down", "Bifurcation", "Cavern", "River", "Rock",
    /* 112 */ "Arrow-up", "Trunk", "Soccer Field", "Sporting Court", "Flag-Green", "Trench",
    /* 118 */ "Ship-Yellow", "Green Sign", "Swamp", "Lake", "Stop!", "Fishing Area",
    /* 124 */ "Speed Reducer", "Stairway", "Cactus", "Ship-Red", "Letter S", "Letter D", "Letter N",
    /* 131 */ "Crossing", "Cross", "Flag-Red", "Curve1", "Curve2", "Curve3", "Curve4", "Letter W",
    /* 139 */ "Letter L", "Letter R", "Radio Beacon", "Road Sign", "Geocache", "Geocache Found",
    /* 145 */ "Traffic Light", "Bus Station", "Train Station", "School", "Mile Marker",
    /* 150 */ "Conservation Area", "Magellan\u00AE Waypoint", "Box", "Aerial", "Auto Repair",
    /* 155 */ "Boat (1)", "Exit Ramp", "Fixed Nav Aid", "Floating Buoy", "Garden", "Fish Farm",
    /* 161 */ "Lighthouse", "Truck Service", "Resort", "Scuba", "Shooting", "Sight Seeing",
    /* 167 */ "Sounding", "Winery", "Navaid (Amber)", "Navaid (Black)", "Navaid (Blue)",
    /* 172 */ "Navaid (Green)", "Navaid (Green;Red)", "Navaid (Green;White)", "Navaid (Orange)",
    /* 176 */ "Navaid (Red)", "Navaid (Red;Green)", "Navaid (Red;White)", "Navaid (Violet)",
    /* 180 */ "Navaid (White)", "Navaid (White;Green)", "Navaid (White;Red)", "Buoy (White)",
    /* 184 */ "Dot (White)", "Red Square", "Red Diamond", "Green Square", "Green Diamond",
    /* 189 */ "Restricted Area", "Navaid (unlit)", "Dot (Small)", "Libraries",
};
// clang-format on

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

// The symbols are listed by name, ignoring letter case and hyphens; the
// three names that occur twice are listed in code order.
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
    std::vector<Row> expected;
    for (size_t i = 0; i < kSymbolNamesByCode.size(); ++i) {
        expected.push_back({static_cast<int>(i + 1), kSymbolNamesByCode[i]});
    }
    std::sort(expected.begin(), expected.end(), [](const Row& a, const Row& b) {
        return std::pair(sortKey(a.name), a.code) < std::pair(sortKey(b.name), b.code);
    });
    expectList(WaypointSymbols(), &SymbolPosition, expected);
}

TEST(CodeTables, SymbolNamesByCode) {
    for (size_t i = 0; i < kSymbolNamesByCode.size(); ++i) {
        EXPECT_EQ(SymbolName(static_cast<int>(i + 1)), kSymbolNamesByCode[i]) << "code " << i + 1;
    }
    EXPECT_EQ(SymbolName(0), std::nullopt);
    EXPECT_EQ(SymbolName(193), std::nullopt);
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
