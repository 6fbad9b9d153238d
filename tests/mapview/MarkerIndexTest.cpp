#include "mapview/MarkerIndex.h"

#include <gtest/gtest.h>

#include <random>

using namespace wavemark;

namespace {

// Markers of a town-sized survey: clusters of close points, some of them
// on the same spot, as access points in one building are.
std::vector<FixedPoint> survey() {
    std::mt19937 random(7);
    std::uniform_int_distribution<uint32_t> centre(0x80000000U, 0x80100000U);
    std::normal_distribution<double> spread(0, 2000);
    std::vector<FixedPoint> points;
    for (int cluster = 0; cluster < 40; ++cluster) {
        const FixedPoint at{centre(random), centre(random)};
        for (int k = 0; k < 50; ++k) {
            points.push_back({at.x + static_cast<uint32_t>(static_cast<int32_t>(spread(random))),
                              at.y + static_cast<uint32_t>(static_cast<int32_t>(spread(random)))});
        }
        points.push_back(points.back());
    }
    return points;
}

} // namespace

// Every box, from one cell to the whole plane, finds what a look at each
// marker finds; the pointer finds the nearest, the later of equally near.
TEST(MarkerIndex, FindsWhatALookAtEveryMarkerFinds) {
    const std::vector<FixedPoint> points = survey();
    const MarkerIndex index(points);
    std::mt19937 random(11);
    std::uniform_int_distribution<uint32_t> corner(0x7FFF0000U, 0x80110000U);
    std::uniform_int_distribution<uint32_t> side(0, 0x40000);
    for (int query = 0; query < 300; ++query) {
        const uint32_t left = corner(random);
        const uint32_t top = corner(random);
        const FixedBox box{left, top, left + side(random), top + side(random)};
        std::vector<uint32_t> expected;
        for (uint32_t m = 0; m < points.size(); ++m) {
            if (box.contains(points[m])) {
                expected.push_back(m);
            }
        }
        ASSERT_EQ(index.within(box), expected) << "query " << query;

        const FixedPoint pointer{left, top};
        const uint32_t radius = side(random) / 16;
        std::optional<uint32_t> nearest;
        double best = 0;
        for (uint32_t m = 0; m < points.size(); ++m) {
            const double dx = static_cast<double>(points[m].x) - pointer.x;
            const double dy = static_cast<double>(points[m].y) - pointer.y;
            if (std::abs(dx) <= radius && std::abs(dy) <= radius &&
                (!nearest || dx * dx + dy * dy <= best)) {
                nearest = m;
                best = dx * dx + dy * dy;
            }
        }
        ASSERT_EQ(index.nearest(pointer, radius), nearest) << "query " << query;
    }
    EXPECT_EQ(index.within({0, 0, UINT32_MAX, UINT32_MAX}).size(), points.size());

    // Two markers on one spot: the pointer takes the one drawn last.
    EXPECT_EQ(index.nearest(points[50], 0), 50U);
    EXPECT_EQ(MarkerIndex().nearest({5, 5}, 100), std::nullopt);
    EXPECT_TRUE(MarkerIndex().within({0, 0, 9, 9}).empty());
}

// Points at the plane's very edges and a single marker still index.
TEST(MarkerIndex, EdgesOfThePlane) {
    const std::vector<FixedPoint> points{{0, 0}, {UINT32_MAX, UINT32_MAX}, {UINT32_MAX, 0}};
    const MarkerIndex index(points);
    EXPECT_EQ(index.within({0, 0, UINT32_MAX, UINT32_MAX}), (std::vector<uint32_t>{0, 1, 2}));
    EXPECT_EQ(index.nearest({UINT32_MAX - 3, 2}, 5), 2U);
    EXPECT_EQ(index.nearest({UINT32_MAX / 2, 2}, 5), std::nullopt);
    EXPECT_EQ(MarkerIndex(std::vector<FixedPoint>{{9, 9}}).nearest({7, 8}, 2), 0U);
}
