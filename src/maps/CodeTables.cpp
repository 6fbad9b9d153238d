#include "maps/CodeTables.h"

#include <array>

namespace wavemark {
namespace {

// GTM symbol numbers in the order the lists show them. Three names occur
// twice with different codes; both rows are kept.
constexpr std::array<CodeRow, 192> kSymbols{{
    {"(Blank)", 102},
    {"Aerial", 153},
    {"Airport", 1},
    {"Amusement Park", 94},
    {"Animals", 20},
    {"Arrow-Down", 107},
    {"Arrow-up", 112},
    {"Auto Repair", 154},
    {"Back Track", 54},
    {"Ball Park", 2},
    {"Bamboo", 105},
    {"Banana Plant", 106},
    {"Bank", 3},
    {"Bar", 4},
    {"Beach", 55},
    {"Bifurcation", 108},
    {"Boat", 49},
    {"Boat (1)", 155},
    {"Boat Ramp", 5},
    {"Bowling", 88},
    {"Box", 152},
    {"Bridge", 56},
    {"Building", 57},
    {"Buoy", 53},
    {"Buoy (White)", 183},
    {"Bus Station", 146},
    {"Cactus", 126},
    {"Campground", 6},
    {"Car", 7},
    {"Car Rental", 89},
    {"Car Repair", 58},
    {"Cavern", 109},
    {"Cemetary", 59},
    {"Church", 60},
    {"City Capitol", 90},
    {"City Large", 8},
    {"City Medium", 9},
    {"City small", 10},
    {"Civil", 61},
    {"Conservation Area", 150},
    {"Controlled Area", 91},
    {"Convenience", 62},
    {"Cross", 132},
    {"Crossing", 63},
    {"Crossing", 131},
    {"Curve1", 134},
    {"Curve2", 135},
    {"Curve3", 136},
    {"Curve4", 137},
    {"Dam", 11},
    {"Danger Area", 12},
    {"Department Store", 96},
    {"Diver Down", 99},
    {"Dot (Small)", 191},
    {"Dot (White)", 184},
    {"Drinking Water", 13},
    {"Duck", 52},
    {"Exit", 50},
    {"Exit Ramp", 156},
    {"Fall", 80},
    {"Fast Food", 64},
    {"Fence", 81},
    {"Fish Farm", 160},
    {"Fishing Area", 14},
    {"Fishing Area", 123},
    {"Fitness Center", 83},
    {"Fixed Nav Aid", 157},
    {"Flag", 51},
    {"Flag-Green", 116},
    {"Flag-Red", 133},
    {"Floating Buoy", 158},
    {"Forest", 65},
    {"Garden", 159},
    {"Gas Station", 15},
    {"Gate", 79},
    {"Geocache", 143},
    {"Geocache Found", 144},
    {"Ghost Town", 66},
    {"Glider Area", 16},
    {"Golf Course", 17},
    {"Green Diamond", 188},
    {"Green Sign", 119},
    {"Green Square", 187},
    {"Heliport", 18},
    {"Highway", 78},
    {"Horn", 87},
    {"Hotel", 19},
    {"Information", 21},
    {"Lake", 121},
    {"Letter D", 129},
    {"Letter L", 139},
    {"Letter N", 130},
    {"Letter R", 140},
    {"Letter S", 128},
    {"Letter W", 138},
    {"Levee", 67},
    {"Libraries", 192},
    {"Light", 100},
    {"Lighthouse", 161},
    {"Live Theater", 85},
    {"Magellan® Waypoint", 151},
    {"Man Overboard", 22},
    {"Marina", 23},
    {"Mata-Burro", 82},
    {"Medical Facility", 25},
    {"Mile Marker", 149},
    {"Military", 68},
    {"Mine", 24},
    {"Movie Theater", 84},
    {"Museum", 93},
    {"Navaid (Amber)", 169},
    {"Navaid (Black)", 170},
    {"Navaid (Blue)", 171},
    {"Navaid (Green)", 172},
    {"Navaid (Green;Red)", 173},
    {"Navaid (Green;White)", 174},
    {"Navaid (Orange)", 175},
    {"Navaid (Red)", 176},
    {"Navaid (Red;Green)", 177},
    {"Navaid (Red;White)", 178},
    {"Navaid (unlit)", 190},
    {"Navaid (Violet)", 179},
    {"Navaid (White)", 180},
    {"Navaid (White;Green)", 181},
    {"Navaid (White;Red)", 182},
    {"Oil Field", 69},
    {"Parachute Area", 26},
    {"Park", 27},
    {"Parking Area", 28},
    {"Pharmacy", 97},
    {"Picnic Area", 29},
    {"Pigsty", 103},
    {"Pin", 101},
    {"Pizza", 98},
    {"Policy", 40},
    {"Post Office", 70},
    {"Private Field", 30},
    {"Radio Beacon", 141},
    {"Red Diamond", 186},
    {"Red Square", 185},
    {"Residence", 31},
    {"Resort", 163},
    {"Restaurant", 32},
    {"Restricted Area", 189},
    {"Restroom", 33},
    {"River", 110},
    {"Road Sign", 142},
    {"Rock", 111},
    {"Rv Park", 71},
    {"Scales", 72},
    {"Scenic Area", 34},
    {"School", 35},
    {"School", 148},
    {"Scuba", 164},
    {"Seaplane Base", 36},
    {"Ship-Red", 127},
    {"Shipwreck", 37},
    {"Ship-Yellow", 118},
    {"Shooting", 165},
    {"Shopping Center", 38},
    {"Short Tower", 39},
    {"Sight Seeing", 166},
    {"Skiing Area", 41},
    {"Skull", 95},
    {"Soccer Field", 114},
    {"Soft Field", 42},
    {"Sounding", 167},
    {"Speed Reducer", 124},
    {"Sporting Court", 115},
    {"Stadium", 92},
    {"Stairway", 125},
    {"Stop!", 122},
    {"Summit", 73},
    {"Swamp", 120},
    {"Swimming Area", 43},
    {"Tall Tower", 44},
    {"Telephone", 45},
    {"Toll Booth", 74},
    {"Tracback Point", 46},
    {"Traffic Light", 145},
    {"Trail Head", 75},
    {"Train Station", 147},
    {"Tree", 104},
    {"Trench", 117},
    {"Truck Service", 162},
    {"Truck Stop", 76},
    {"Trunk", 113},
    {"Tunnel", 77},
    {"Ultralight Area", 47},
    {"Waypoint", 48},
    {"Winery", 168},
    {"Zoo", 86},
}};

constexpr std::array<CodeRow, 3> kDisplayStyles{{
    {"Icon only", 2},
    {"Icon with Name", 3},
    {"Textbox with Name", 4},
}};

constexpr std::array<CodeRow, 8> kLineStyles{{
    {"Thin line", 1},
    {"Thick line", 2},
    {"Double lines", 3},
    {"Thin line with dash", 4},
    {"Thick line with dash", 5},
    {"Line with cross", 6},
    {"Filled track", 17},
    {"Filled track with border", 18},
}};

std::optional<int> positionOf(std::span<const CodeRow> rows, int code) {
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].code == code) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

} // namespace

std::span<const CodeRow> WaypointSymbols() {
    return kSymbols;
}
std::span<const CodeRow> WaypointDisplayStyles() {
    return kDisplayStyles;
}
std::span<const CodeRow> TrackLineStyles() {
    return kLineStyles;
}

std::optional<int> SymbolPosition(int code) {
    return positionOf(kSymbols, code);
}

std::optional<int> DisplayStylePosition(int code) {
    return positionOf(kDisplayStyles, code);
}

std::optional<int> LineStylePosition(int code) {
    return positionOf(kLineStyles, code);
}

std::optional<std::string_view> SymbolName(int code) {
    if (const std::optional<int> position = SymbolPosition(code)) {
        return kSymbols[static_cast<size_t>(*position)].name;
    }
    return std::nullopt;
}

} // namespace wavemark
