#include "survey/PositionEstimate.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <vector>

namespace wavemark {
namespace {

struct Heard {
    double lat;
    double lon;
    float signal;
};

std::optional<GeoPosition> estimate(const std::vector<Heard>& readings) {
    std::vector<double> lat;
    std::vector<double> lon;
    std::vector<float> signal;
    for (const Heard& r : readings) {
        lat.push_back(r.lat);
        lon.push_back(r.lon);
        signal.push_back(r.signal);
    }
    return EstimatePosition(lat, lon, signal);
}

// Levels are dBm + 149, as surveys hold them: 80 is -69 dBm.
TEST(PositionEstimate, WeighsReadingsByAmplitudeWithin25DbOfTheStrongest) {
    // 20 dB down weighs a tenth.
    const auto near = estimate({{10.0, 5.0, 80.0f}, {11.0, 5.0, 80.0f}, {12.0, 6.05, 60.0f}});
    ASSERT_TRUE(near);
    EXPECT_NEAR(near->lat, 22.2 / 2.1, 1e-9);
    EXPECT_NEAR(near->lon, 10.605 / 2.1, 1e-9);
    // 26 dB down does not count, but still makes the third reading.
    EXPECT_EQ(estimate({{10.0, 5.0, 80.0f}, {12.0, 7.0, 80.0f}, {50.0, 9.0, 54.0f}}),
              (GeoPosition{11.0, 6.0}));
}

TEST(PositionEstimate, NeedsThreeHeardReadingsWithPositions) {
    EXPECT_EQ(estimate({}), std::nullopt);
    EXPECT_EQ(estimate({{10.0, 5.0, 80.0f}, {11.0, 5.0, 70.0f}}), std::nullopt);
    // A lost signal, no fix (0 / 0, or NetStumbler's 360 / 720) and values that are no
    // numbers are no readings: neither counted nor taken as the strongest.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const float lost = -32618.0f;
    for (const Heard& third : std::vector<Heard>{{12.0, 5.0, lost},
                                                 {0.0, 0.0, 90.0f},
                                                 {360.0, 720.0, 90.0f},
                                                 {nan, 5.0, 90.0f},
                                                 {12.0, nan, 90.0f},
                                                 {12.0, 5.0, std::nanf("")}}) {
        EXPECT_EQ(estimate({{10.0, 5.0, 80.0f}, {11.0, 5.0, 70.0f}, third}), std::nullopt)
            << third.lat << " " << third.lon << " " << third.signal;
        const auto four =
            estimate({{10.0, 5.0, 80.0f}, {12.0, 7.0, 80.0f}, third, {11.0, 6.0, 80.0f}});
        EXPECT_EQ(four, (GeoPosition{11.0, 6.0})) << third.lat << " " << third.lon;
    }
}

TEST(PositionEstimate, StaysOnTheSideOfTheGlobeItsReadingsAreOn) {
    const auto east =
        estimate({{-16.5, 179.9, 80.0f}, {-16.5, -179.9, 80.0f}, {-16.5, 179.95, 80.0f}});
    ASSERT_TRUE(east);
    EXPECT_NEAR(east->lon, 179.9 + 0.25 / 3, 1e-9);
    const auto west =
        estimate({{-16.5, 179.99, 80.0f}, {-16.5, -179.95, 80.0f}, {-16.5, -179.97, 80.0f}});
    ASSERT_TRUE(west);
    EXPECT_NEAR(west->lon, 179.99 + 0.1 / 3 - 360.0, 1e-9);
    EXPECT_NEAR(west->lat, -16.5, 1e-9);
}

} // namespace
} // namespace wavemark
