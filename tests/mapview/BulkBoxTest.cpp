#include "mapview/BulkBox.h"
#include "mapview/ViewFit.h"

#include <gtest/gtest.h>

#include <random>

using namespace wavemark;

namespace {

FixedPoint at(double latitude, double longitude) {
    return ToFixed(Project(latitude, longitude));
}

std::vector<FixedPoint> scattered(int count, double south, double north, double west, double east,
                                  unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> latitude(south, north);
    std::uniform_real_distribution<double> longitude(west, east);
    std::vector<FixedPoint> points;
    for (int p = 0; p < count; ++p) {
        points.push_back(at(latitude(random), longitude(random)));
    }
    return points;
}

} // namespace

// In a town 2 km across, a stray fix, a stray reading or a tenth of the
// markers scattered over the world leave the fit as it is, and zooming out
// still reaches them.
TEST(BulkBox, StraysLeaveTheFitButStayWithinReach) {
    std::vector<FixedPoint> markers = scattered(2000, 47.36, 47.38, 8.53, 8.56, 3);
    std::vector<FixedPoint> points = scattered(2000, 47.36, 47.38, 8.53, 8.56, 4);
    points.push_back(at(47.38, 8.53));
    points.push_back(at(47.36, 8.56));
    const FixedPoint stray = at(-33.87, 151.21);
    markers.push_back(stray);
    points.push_back(at(40.71, -74.0));
    const std::vector<FixedPoint> world = scattered(200, -60, 70, -180, 180, 5);
    markers.insert(markers.end(), world.begin(), world.end());
    const FixedBox bulk = BulkBox(markers, points);
    EXPECT_EQ((FixedPoint{bulk.left, bulk.top}), at(47.38, 8.53));
    EXPECT_EQ((FixedPoint{bulk.right, bulk.bottom}), at(47.36, 8.56));

    Viewport view = FitView(bulk, 900, 640, 24);
    EXPECT_EQ(view.zoom, 14);
    const FixedBox strayBox{stray.x, stray.y, stray.x, stray.y};
    EXPECT_FALSE(Shows(view, strayBox));
    while (!Shows(view, strayBox) && view.zoom > kMinZoom) {
        view = ZoomAround(view, {450, 320}, -1);
    }
    EXPECT_TRUE(Shows(view, strayBox));
}

// What is not far from the rest stays: a street 500 m from a building, a
// village 20 km on from a road 40 km long, two towns of equal size.
TEST(BulkBox, CompactSurveysStayWhole) {
    std::vector<FixedPoint> building(40, at(47.37, 8.54));
    building.push_back(at(47.37, 8.5466));
    EXPECT_EQ(BulkBox(building, {}).right, at(47.37, 8.5466).x);

    std::vector<FixedPoint> road;
    for (int m = 0; m <= 100; ++m) {
        road.push_back(at(47.37, 8.0 + m * 0.0053));
    }
    road.push_back(at(47.37, 8.8));
    EXPECT_EQ(BulkBox(road, {}).right, at(47.37, 8.8).x);

    std::vector<FixedPoint> twoTowns = scattered(50, 47.37, 47.38, 8.54, 8.55, 6);
    twoTowns.push_back(at(46.2, 6.14));
    const std::vector<FixedPoint> other = scattered(50, 46.2, 46.21, 6.14, 6.15, 7);
    twoTowns.insert(twoTowns.end(), other.begin(), other.end());
    const FixedBox both = BulkBox({}, twoTowns);
    EXPECT_EQ((FixedPoint{both.left, both.bottom}), at(46.2, 6.14));
}
