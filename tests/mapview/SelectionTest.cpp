#include "mapview/Selection.h"
#include "mapview/MarkerSearch.h"
#include "mapview/SignalScale.h"

#include <gtest/gtest.h>

using namespace wavemark;
using enum NetworkClass;

namespace {

// Level 104 is -45 dBm, 89 is -60 dBm, -32618 a lost signal.
constexpr float kStrong = 104;
constexpr float kWeaker = 89;
constexpr float kLost = -32618;

// Three access points: the first heard strongest north and south of
// 47.0 / 8.0 and weaker east and west of it, then lost further east; the
// second without a track; the third with two readings, which is too few
// to place it by.
MapScene readingsScene() {
    ConversionData data;
    data.WptCount = 3;
    data.WptName = {"", "c2e140", "a1b2c3", "0d0e0f"};
    data.WptComment = {"", "Caf\xc3\xa9 Central", "HOME-net", "\xc3\x84pfel guest"};
    data.WptLat = {0, 47.002, 47.5, 46.9};
    data.WptLon = {0, 8.0, 8.5, 8.1};
    data.WptSignal = {0, kStrong, 50, 60};
    data.WptBssid = {"", "( 00:0b:86:c2:e1:40 )", "( 00:0b:86:a1:b2:c3 )", "( 02:00:00:0d:0e:0f )"};
    data.WptClass = {Open, Protected, AdHoc, Open};
    data.WptTrack = {0, 1, 0, 2};
    data.TrkCount = 2;
    data.TrkLineStyle = {0, 2, 2};
    data.TrkColor = {0, 255, 255};
    data.TrkFirstPoint = {0, 1, 6};
    data.TrkPointCount = 7;
    data.TptLat = {0, 47.002, 47.0, 46.998, 47.0, 47.0, 46.9, 46.91};
    data.TptLon = {0, 8.0, 8.003, 8.0, 7.997, 8.006, 8.1, 8.1};
    data.TptSignal = {0, kStrong, kWeaker, kStrong, kWeaker, kLost, 70, 75};
    return SceneOf(data);
}

} // namespace

// The scale's stops, a mix halfway between two, the ends held beyond them, and grey for a
// reading that heard nothing.
TEST(SignalScale, ColoursReadingsByDbm) {
    EXPECT_EQ(DbmOfLevel(79), -70);
    EXPECT_EQ(SignalColor(-90), 0x540144);
    EXPECT_EQ(SignalColor(-60), 0x8c9121);
    EXPECT_EQ(SignalColor(-30), 0x25e7fd);
    EXPECT_EQ(SignalColor(-67.5), 0x8c722e);
    EXPECT_EQ(SignalColor(-20), 0x25e7fd);
    EXPECT_EQ(SignalColor(-120), 0x540144);
    EXPECT_EQ(SignalColor(-120.5), kNoSignalColor);
    EXPECT_EQ(SignalColor(DbmOfLevel(kLost)), kNoSignalColor);
}

// A selection's readings are its own track's points, its strongest the first of the highest
// level, and its estimate lies between the strong readings, apart from the strongest.
TEST(Selection, ReadingsStrongestAndEstimate) {
    const MapScene scene = readingsScene();
    ASSERT_EQ(scene.levels.size(), size_t{7});
    const Selection first = SelectionOf(scene, 0);
    EXPECT_EQ(first.first, 0U);
    EXPECT_EQ(first.end, 5U);
    EXPECT_EQ(first.strongest, 0U);
    ASSERT_TRUE(first.estimate.has_value());
    const PlanePoint estimate = ToPlane(*first.estimate);
    EXPECT_NEAR(LatitudeAt(estimate.y), 47.0, 1e-6);
    EXPECT_NEAR(LongitudeAt(estimate.x), 8.0, 1e-6);

    const Selection none = SelectionOf(scene, 1);
    EXPECT_EQ(none.first, none.end);
    EXPECT_FALSE(none.strongest.has_value());
    EXPECT_FALSE(none.estimate.has_value());

    const Selection few = SelectionOf(scene, 2);
    EXPECT_EQ(few.first, 5U);
    EXPECT_EQ(few.end, 7U);
    EXPECT_EQ(few.strongest, 6U);
    EXPECT_FALSE(few.estimate.has_value());
}

// Readings far weaker than the strongest leave the estimate on it: nothing to draw between.
TEST(Selection, NoEstimateWhereTheStrongestReadingIs) {
    MapScene scene;
    for (const uint32_t x : {1000U, 5000000U, 9000000U}) {
        scene.points.push_back({2200000000U + x, 1400000000U});
    }
    scene.levels = {100, 40, 40};
    scene.tracks.push_back({0, 3, {}, 0, 0});
    scene.markers.push_back({scene.points[0], Open, 0, "", "", "", 0});
    const Selection selection = SelectionOf(scene, 0);
    EXPECT_EQ(selection.strongest, 0U);
    EXPECT_FALSE(selection.estimate.has_value());
}

struct SearchCase {
    const char* text;
    std::vector<uint32_t> matches;
};

class MarkerSearch : public testing::TestWithParam<SearchCase> {};

// Network names, BSSIDs with or without colons, in any letter case, Latin-1's included.
TEST_P(MarkerSearch, FindsByNameOrBssid) {
    const MapScene scene = readingsScene();
    EXPECT_EQ(MarkersMatching(scene, GetParam().text, 10), GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(Texts, MarkerSearch,
                         testing::Values(SearchCase{"central", {0}}, SearchCase{"CAF\xc3\x89", {0}},
                                         SearchCase{"\xc3\xa4pfel", {2}}, SearchCase{"home", {1}},
                                         SearchCase{"00:0B:86", {0, 1}}, SearchCase{"0d0e0f", {2}},
                                         SearchCase{"e", {0, 1, 2}}, SearchCase{"net guest", {}},
                                         SearchCase{"", {}}));

TEST(MarkerSearchLimit, StopsAtTheMostAskedFor) {
    EXPECT_EQ(MarkersMatching(readingsScene(), "e", 2), (std::vector<uint32_t>{0, 1}));
}
