#include "maps/gtm/MapLimits.h"

#include <gtest/gtest.h>
#include <vector>

namespace wavemark {
namespace {

using Points = std::vector<std::pair<double, double>>; // latitude, longitude
using Limits = std::vector<float>;                     // maxlon, minlon, maxlat, minlat

Limits limitsOf(const Points& waypoints, const Points& trackpoints) {
    ConversionData data;
    data.WptCount = static_cast<int32_t>(waypoints.size());
    data.TrkPointCount = static_cast<int32_t>(trackpoints.size());
    data.WptLat = data.WptLon = {0.0};
    data.TptLat = data.TptLon = {0.0};
    for (const auto& [lat, lon] : waypoints) {
        data.WptLat.push_back(lat);
        data.WptLon.push_back(lon);
    }
    for (const auto& [lat, lon] : trackpoints) {
        data.TptLat.push_back(lat);
        data.TptLon.push_back(lon);
    }
    Limits l = {1, 2, 3, 4};
    calculate_limits(data, l[0], l[1], l[2], l[3]);
    return l;
}

TEST(MapLimits, BoxOfAllWaypointsAndTrackpoints) {
    EXPECT_EQ(limitsOf({}, {}), (Limits{0, 0, 0, 0}));
    EXPECT_EQ(limitsOf({}, {{10, 20}, {-5, 25}, {3, -1}}), (Limits{25, -1, 10, -5}));
    EXPECT_EQ(limitsOf({{1, 1}, {2, 2}}, {{0.5, 3}, {1.5, -4}}), (Limits{3, -4, 2, 0.5f}));
    // A single point is the whole box, far from 0/0.
    EXPECT_EQ(limitsOf({{48.5, 2.25}}, {}), (Limits{2.25f, 2.25f, 48.5f, 48.5f}));
    EXPECT_EQ(limitsOf({}, {{-33.5, -70.75}}), (Limits{-70.75f, -70.75f, -33.5f, -33.5f}));
    // The box takes no account of the 180th meridian.
    EXPECT_EQ(limitsOf({{0, 179.5}, {0, -179.5}}, {}), (Limits{179.5f, -179.5f, 0, 0}));
}

} // namespace
} // namespace wavemark
