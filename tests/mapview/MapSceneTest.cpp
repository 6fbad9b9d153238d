#include "mapview/MapScene.h"
#include "mapview/TrackPath.h"

#include <gtest/gtest.h>

using namespace wavemark;
using enum NetworkClass;

namespace {

// Three access points, of each class; the first and the last have tracks,
// the second has none.
ConversionData survey() {
    ConversionData data;
    data.WptCount = 3;
    data.WptName = {"", "c2e140", "a1b2c3", "0d0e0f"};
    data.WptComment = {"", "caf\xc3\xa9", "a1b2c3", "<home>"};
    data.WptLat = {0, 47.5, 47.6, 47.4};
    data.WptLon = {0, 8.25, 8.3, 8.2};
    data.WptSignal = {0, 70.4f, -32618.0f, 12.6f};
    data.WptBssid = {"", "( 00:0b:86:c2:e1:40 )", "( 00:0b:86:a1:b2:c3 )", "( 02:00:00:0d:0e:0f )"};
    data.WptClass = {Open, Open, Protected, AdHoc};
    data.WptTrack = {0, 1, 0, 2};
    data.TrkCount = 2;
    data.TrkLineStyle = {0, 2, 17};
    data.TrkColor = {0, 255, 4227072};
    data.TrkFirstPoint = {0, 1, 4};
    data.TrkPointCount = 5;
    data.TptLat = {0, 47.5, 47.51, 47.52, 47.3, 47.35};
    data.TptLon = {0, 8.25, 8.26, 8.27, 8.1, 8.15};
    return data;
}

std::vector<std::vector<int>> runsOf(const MapScene& scene, const Viewport& view, int tolerance,
                                     int margin) {
    std::vector<std::vector<int>> runs;
    TrackPath path(view, tolerance, margin);
    path.walk(scene, scene.tracks.front(), [&](const std::vector<PixelPoint>& run) {
        std::vector<int> xs;
        for (const PixelPoint& pixel : run) {
            EXPECT_EQ(pixel.y, 100);
            xs.push_back(pixel.x);
        }
        runs.push_back(xs);
    });
    return runs;
}

// A track along one row of pixels, at zoom 10 and given on-screen x values
// in a 200 × 200 view centred on the plane.
MapScene rowTrack(const std::vector<int>& xs) {
    MapScene scene;
    for (const int x : xs) {
        scene.points.push_back({static_cast<uint32_t>((130972 + x) << 14), 131072U << 14});
    }
    SceneTrack track;
    track.end = static_cast<uint32_t>(xs.size());
    scene.tracks.push_back(track);
    return scene;
}

} // namespace

TEST(MapScene, MarkersTracksAndWhatTheirTooltipsSay) {
    const MapScene scene = SceneOf(survey());
    ASSERT_EQ(scene.markers.size(), 3U);
    ASSERT_EQ(scene.tracks.size(), 2U);
    EXPECT_EQ(scene.points.size(), 5U);
    EXPECT_EQ(scene.markers[0].track, 0);
    EXPECT_EQ(scene.markers[1].track, -1);
    EXPECT_EQ(scene.markers[2].track, 1);
    EXPECT_EQ(scene.markers[2].networkClass, AdHoc);
    EXPECT_EQ(scene.tracks[1].first, 3U);
    EXPECT_EQ(scene.tracks[1].end, 5U);
    EXPECT_EQ(scene.tracks[1].color, 4227072);
    EXPECT_EQ(scene.tracks[1].lineStyle, 17);
    EXPECT_EQ(scene.markers[0].at, ToFixed(Project(47.5, 8.25)));

    EXPECT_EQ(MarkerToolTip(scene, scene.markers[0]),
              "Name: c2e140\nNetwork: café\nBSSID: 00:0b:86:c2:e1:40\nClass: open\n"
              "Signal: 70\nReadings: 3");
    EXPECT_EQ(MarkerToolTip(scene, scene.markers[1]),
              "Name: a1b2c3\nNetwork: a1b2c3\nBSSID: 00:0b:86:a1:b2:c3\nClass: protected\n"
              "Signal: -32618\nReadings: no track");
    EXPECT_EQ(MarkerToolTip(scene, scene.markers[2]),
              "Name: 0d0e0f\nNetwork: <home>\nBSSID: 02:00:00:0d:0e:0f\nClass: ad-hoc\n"
              "Signal: 13\nReadings: 2");

    // The scene's box holds every marker and point: from 47.3° to 47.6° N
    // and from 8.1° to 8.3° E.
    EXPECT_EQ(scene.bounds.left, ToFixed(Project(47.3, 8.1)).x);
    EXPECT_EQ(scene.bounds.right, ToFixed(Project(47.6, 8.3)).x);
    EXPECT_EQ(scene.bounds.top, ToFixed(Project(47.6, 8.3)).y);
    EXPECT_EQ(scene.bounds.bottom, ToFixed(Project(47.3, 8.1)).y);
    EXPECT_EQ(scene.index.nearest(scene.markers[1].at, 0), 1U);
}

// A run without tracks leaves the waypoints' track numbers behind it, but
// sets the track count to 0: those numbers then name no track.
TEST(MapScene, TrackNumbersPastTheCountNameNone) {
    ConversionData data = survey();
    data.TrkCount = 0;
    data.TrkPointCount = 0;
    const MapScene scene = SceneOf(data);
    EXPECT_TRUE(scene.tracks.empty());
    EXPECT_EQ(scene.markers[0].track, -1);
    EXPECT_EQ(scene.markers[2].track, -1);
    EXPECT_TRUE(MarkerToolTip(scene, scene.markers[2]).ends_with("\nReadings: no track"));
    EXPECT_TRUE(SceneOf({}).bounds.empty());
}

// Points nearer the last one drawn than the tolerance are left out, but a
// track's last point is always drawn.
TEST(TrackPath, SimplifiedForTheZoomLevel) {
    const MapScene scene = rowTrack({28, 29, 30, 31, 32, 33, 34, 35, 36, 37});
    const Viewport view{{0.5, 0.5}, 10, 200, 200};
    EXPECT_EQ(runsOf(scene, view, 2, 10),
              (std::vector<std::vector<int>>{{28, 30, 32, 34, 36, 37}}));
    EXPECT_EQ(runsOf(scene, view, 1, 10),
              (std::vector<std::vector<int>>{{28, 29, 30, 31, 32, 33, 34, 35, 36, 37}}));
    EXPECT_EQ(runsOf(scene, view, 5, 10), (std::vector<std::vector<int>>{{28, 33, 37}}));
}

// Segments that pass the view by more than the margin split the track into
// runs; a segment that reaches into the view is kept whole.
TEST(TrackPath, LeavesOutWhatTheViewDoesNotShow) {
    const Viewport view{{0.5, 0.5}, 10, 200, 200};
    EXPECT_EQ(runsOf(rowTrack({10, 50, 5000, 10000, 60, 70}), view, 1, 10),
              (std::vector<std::vector<int>>{{10, 50, 5000}, {10000, 60, 70}}));
    EXPECT_EQ(runsOf(rowTrack({-300, -200, -100, -20, 205, 300, 400}), view, 1, 10),
              (std::vector<std::vector<int>>{{-20, 205, 300}}));
    EXPECT_TRUE(runsOf(rowTrack({500, 600}), view, 1, 10).empty());
}
