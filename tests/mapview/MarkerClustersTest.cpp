#include "mapview/MarkerClusters.h"
#include "mapview/ViewFit.h"

#include <gtest/gtest.h>

#include <random>

using namespace wavemark;
using enum NetworkClass;

namespace {

struct Place {
    double latitude = 0;
    double longitude = 0;
    NetworkClass networkClass = Open;
};

MapScene sceneOf(const std::vector<Place>& places) {
    MapScene scene;
    std::vector<FixedPoint> points;
    for (const Place& place : places) {
        SceneMarker marker;
        marker.at = ToFixed(Project(place.latitude, place.longitude));
        marker.networkClass = place.networkClass;
        points.push_back(marker.at);
        scene.markers.push_back(marker);
    }
    scene.index = MarkerIndex(points);
    return scene;
}

// Three open and one protected access point in one building, 25 m apart;
// two ad-hoc ones 5 km east; one open 50 km north.
const std::vector<Place> kTown{{47.3700, 8.5400, Open},      {47.3700, 8.5403, Open},
                               {47.3702, 8.5400, Protected}, {47.3702, 8.5403, Open},
                               {47.3700, 8.6060, AdHoc},     {47.3701, 8.6061, AdHoc},
                               {47.8200, 8.5400, Open}};

Viewport viewOver(double latitude, double longitude, int zoom) {
    return {Project(latitude, longitude), zoom, 900, 640};
}

using Mix = std::array<uint32_t, 3>;

} // namespace

// Zoomed out, each group is one circle in the middle of its markers, with
// their class mix; the lone one stays a single marker. Further out the two
// groups 5 km apart join, and further still the lone one, 30 pixels away.
TEST(MarkerClusters, OverlappingMarkersMerge) {
    const MapScene scene = sceneOf(kTown);
    const auto mixesAt = [&](int zoom) {
        std::vector<Mix> mixes;
        for (const MarkerCluster& cluster : ClustersInView(scene, viewOver(47.6, 8.57, zoom))) {
            mixes.push_back(cluster.classes);
        }
        return mixes;
    };
    EXPECT_EQ(mixesAt(10), (std::vector<Mix>{{3, 1, 0}, {0, 0, 2}, {1, 0, 0}}));
    EXPECT_EQ(mixesAt(7), (std::vector<Mix>{{3, 1, 2}, {1, 0, 0}}));
    EXPECT_EQ(mixesAt(6), (std::vector<Mix>{{4, 1, 2}}));

    const PlanePoint middle = ToPlane(ClustersInView(scene, viewOver(47.6, 8.57, 10))[0].at);
    EXPECT_NEAR(LatitudeAt(middle.y), 47.3701, 1e-6);
    EXPECT_NEAR(LongitudeAt(middle.x), 8.54015, 1e-6);
}

// A survey of thousands at every zoom level: each marker is in exactly one
// circle, with its class; zooming in never makes fewer circles, and at the
// last level even two markers on one spot stand alone.
TEST(MarkerClusters, EveryMarkerOnceAtEveryLevel) {
    std::mt19937 random(17);
    std::uniform_real_distribution<double> latitude(47.365, 47.375);
    std::uniform_real_distribution<double> longitude(8.533, 8.547);
    std::uniform_int_distribution<int> kind(0, 2);
    std::vector<Place> places;
    Mix expected{};
    for (int m = 0; m < 3000; ++m) {
        places.push_back(
            {latitude(random), longitude(random), static_cast<NetworkClass>(kind(random))});
        ++expected[static_cast<size_t>(places.back().networkClass)];
    }
    places.push_back(places[0]);
    ++expected[static_cast<size_t>(places[0].networkClass)];
    const MapScene scene = sceneOf(places);
    size_t previous = 0;
    for (int zoom = 0; zoom <= kMaxZoom; ++zoom) {
        // Wide enough to hold the whole survey at every level.
        const Viewport view{Project(47.37, 8.54), zoom, 1 << 13, 1 << 13};
        const std::vector<MarkerCluster> clusters = ClustersInView(scene, view);
        Mix found{};
        for (const MarkerCluster& cluster : clusters) {
            ASSERT_EQ(cluster.count, cluster.classes[0] + cluster.classes[1] + cluster.classes[2]);
            for (size_t c = 0; c < found.size(); ++c) {
                found[c] += cluster.classes[c];
            }
        }
        ASSERT_EQ(found, expected) << "zoom " << zoom;
        ASSERT_GE(clusters.size(), previous) << "zoom " << zoom;
        previous = clusters.size();
    }
    EXPECT_EQ(previous, places.size());
}
