#include "MapLimits.h"

#include <gtest/gtest.h>
#include <vector>

namespace wavemark {
namespace {

struct Limits {
    float maxlon = 0, minlon = 0, maxlat = 0, minlat = 0;
    bool operator==(const Limits&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Limits& l) {
    return out << "lon " << l.minlon << ".." << l.maxlon << ", lat " << l.minlat << ".."
               << l.maxlat;
}

Limits limitsOf(const std::vector<std::pair<double, double>>& waypoints,
                const std::vector<std::pair<double, double>>& trackpoints) {
    ConversionData data;
    data.WptCount = static_cast<int32_t>(waypoints.size());
    data.WptLat = {0.0};
    data.WptLon = {0.0};
    for (const auto& [lat, lon] : waypoints) {
        data.WptLat.push_back(lat);
        data.WptLon.push_back(lon);
    }
    data.TrkPointCount = static_cast<int32_t>(trackpoints.size());
    data.TptLat = {0.0};
    data.TptLon = {0.0};
    for (const auto& [lat, lon] : trackpoints) {
        data.TptLat.push_back(lat);
        data.TptLon.push_back(lon);
    }
    Limits l{1, 2, 3, 4};
    calculate_limits(data, l.maxlon, l.minlon, l.maxlat, l.minlat);
    return l;
}

TEST(MapLimits, NoPointsGiveZeros) {
    EXPECT_EQ(limitsOf({}, {}), (Limits{0, 0, 0, 0}));
}

TEST(MapLimits, OnePointIsItsOwnBox) {
    EXPECT_EQ(limitsOf({{47.5, 8.25}}, {}), (Limits{8.25f, 8.25f, 47.5f, 47.5f}));
}

TEST(MapLimits, TrackpointsAloneStartTheBox) {
    EXPECT_EQ(limitsOf({}, {{10, 20}, {-5, 25}, {3, -1}}), (Limits{25, -1, 10, -5}));
}

TEST(MapLimits, WaypointsAndTrackpointsShareOneBox) {
    EXPECT_EQ(limitsOf({{1, 1}, {2, 2}}, {{0.5, 3}, {1.5, -4}}), (Limits{3, -4, 2, 0.5f}));
}

TEST(MapLimits, BoxIgnoresTheAntimeridian) {
    EXPECT_EQ(limitsOf({{0, 179.5}, {0, -179.5}}, {}), (Limits{179.5f, -179.5f, 0, 0}));
}

TEST(MapLimits, ValuesAreRoundedToFloats) {
    const Limits l = limitsOf({{47.123456789, -122.987654321}}, {});
    EXPECT_EQ(l.maxlat, 47.12345504760742f);
    EXPECT_EQ(l.minlon, static_cast<float>(-122.987654321));
}

} // namespace
} // namespace wavemark
