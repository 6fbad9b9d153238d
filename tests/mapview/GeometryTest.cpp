#include "mapview/FixedPoint.h"
#include "mapview/Graticule.h"
#include "mapview/TileGrid.h"
#include "mapview/ViewFit.h"
#include "mapview/WebMercator.h"

#include <gtest/gtest.h>

using namespace wavemark;

namespace {

std::vector<std::string> labels(const std::vector<GraticuleLine>& lines) {
    std::vector<std::string> texts;
    for (const GraticuleLine& line : lines) {
        texts.push_back(line.label);
    }
    return texts;
}

} // namespace

// Expected values from the slippy-map formulas worked by hand elsewhere:
// London at zoom 10 lies on tile 511/340, Sydney at zoom 12 on 3768/2457.
TEST(WebMercator, PlacesAndTheirTilesAndBack) {
    EXPECT_EQ(Project(0, 0), (PlanePoint{0.5, 0.5}));
    const PlanePoint london = Project(51.5074, -0.1278);
    EXPECT_DOUBLE_EQ(london.x, 0.499645);
    EXPECT_NEAR(london.y, 0.3325255226156182, 1e-15);
    const Viewport atLondon{london, 10, 512, 256};
    EXPECT_EQ(TilesInView({london, 10, 1, 1}), (std::vector<TileId>{{10, 511, 340}}));
    EXPECT_EQ(TilesInView({Project(-33.8688, 151.2093), 12, 1, 1}),
              (std::vector<TileId>{{12, 3768, 2457}}));

    // A pixel 100 to the right and 50 below the centre, and back.
    const PlanePoint there = ToPlane(atLondon, {356, 178});
    EXPECT_DOUBLE_EQ(there.x, 0.499645 + 100 / 262144.0);
    const ScreenPoint back = ToScreen(atLondon, there);
    EXPECT_NEAR(back.x, 356, 1e-6);
    EXPECT_NEAR(back.y, 178, 1e-6);
    EXPECT_NEAR(LatitudeAt(london.y), 51.5074, 1e-12);
    EXPECT_NEAR(LongitudeAt(london.x), -0.1278, 1e-12);

    // The poles are cut where the plane is square.
    EXPECT_EQ(Project(90, 180), (PlanePoint{1, 0}));
    EXPECT_NEAR(Project(-85.0511287798066, -180).y, 1, 1e-12);
    EXPECT_NEAR(LatitudeAt(0), 85.0511287798066, 1e-9);
    EXPECT_NEAR(MetresPerPixel(0, 0), 156543.03392804097, 1e-6);
}

// The tiles a view needs: only those it shows, the centre's first, the
// plane's edge never passed.
TEST(TileGrid, TilesOfAViewCentreFirst) {
    EXPECT_EQ(TilesInView({{0.5, 0.5}, 1, 512, 512}),
              (std::vector<TileId>{{1, 0, 0}, {1, 1, 0}, {1, 0, 1}, {1, 1, 1}}));
    // 500 × 200 pixels centred 20 pixels right of and 10 below the corner of
    // tile 5/6 at zoom 4: columns 4 to 6 and rows 5 and 6, nearest the centre
    // first.
    const Viewport view{{(5 * 256 + 20) / 4096.0, (6 * 256 + 10) / 4096.0}, 4, 500, 200};
    EXPECT_EQ(
        TilesInView(view),
        (std::vector<TileId>{{4, 5, 6}, {4, 5, 5}, {4, 4, 6}, {4, 4, 5}, {4, 6, 6}, {4, 6, 5}}));
    // At the north-west corner of the plane nothing beyond it is asked for.
    EXPECT_EQ(TilesInView({{0, 0}, 3, 256, 256}), (std::vector<TileId>{{3, 0, 0}}));
    EXPECT_TRUE(TilesInView({{1.5, 0.5}, 0, 256, 256}).empty());
    EXPECT_TRUE(TilesInView({{0.5, 0.5}, 3, 0, 100}).empty());

    EXPECT_EQ(TileUrl("https://tile.openstreetmap.org/{z}/{x}/{y}.png", {12, 3768, 2457}),
              "https://tile.openstreetmap.org/12/3768/2457.png");
    EXPECT_EQ(TileUrl("http://h/{y}-{x}-{y}?{z", {3, 1, 2}), "http://h/2-1-2?{z");
}

TEST(ViewFit, FitsZoomsAroundThePointerAndPans) {
    FixedBox box;
    box.add(ToFixed(Project(51.50, -0.13)));
    box.add(ToFixed(Project(51.52, -0.10)));
    // 0.03° of longitude are 87 pixels at zoom 12 and 175 at 13; 0.02° of
    // latitude 94 and 187: zoom 12 is the last that fits 200 - 2 × 20
    // pixels, zoom 13 the last that fits 400 - 2 × 20.
    const Viewport fitted = FitView(box, 200, 200, 20);
    EXPECT_EQ(fitted.zoom, 12);
    EXPECT_NEAR(LongitudeAt(fitted.center.x), -0.115, 1e-6);
    EXPECT_TRUE(Shows(fitted, box));
    EXPECT_EQ(FitView(box, 400, 400, 20).zoom, 13);
    // Each side against its own room: in 400 × 100 pixels the 0.02° of latitude (47 pixels
    // at zoom 11, 94 at 12) fit only at zoom 11, and so do the 0.03° of longitude in 120 × 400
    // (44 and 87 pixels, 80 of room), though the other side has room up to zoom 13.
    EXPECT_EQ(FitView(box, 400, 100, 20).zoom, 11);
    EXPECT_EQ(FitView(box, 120, 400, 20).zoom, 11);
    EXPECT_EQ(FitView({}, 640, 480, 20), (Viewport{{0.5, 0.5}, 0, 640, 480}));
    FixedBox point;
    point.add(ToFixed(Project(51.5, -0.1)));
    EXPECT_EQ(FitView(point, 640, 480, 20).zoom, 18);

    const Viewport zoomedIn = ZoomAround(fitted, {150, 40}, 2);
    EXPECT_EQ(zoomedIn.zoom, 14);
    const PlanePoint before = ToPlane(fitted, {150, 40});
    const PlanePoint after = ToPlane(zoomedIn, {150, 40});
    EXPECT_NEAR(after.x, before.x, 1e-15);
    EXPECT_NEAR(after.y, before.y, 1e-15);
    EXPECT_EQ(ZoomAround(fitted, {100, 100}, 10).zoom, 19);
    EXPECT_EQ(ZoomAround(fitted, {100, 100}, -20).zoom, 0);

    const Viewport panned = PanBy(fitted, 2048, -1024);
    EXPECT_DOUBLE_EQ(panned.center.x, fitted.center.x + 2048 / PlaneSize(12));
    EXPECT_DOUBLE_EQ(panned.center.y, fitted.center.y - 1024 / PlaneSize(12));
    EXPECT_FALSE(Shows(PanBy(fitted, 400, 0), box));
    EXPECT_EQ(PanBy({{0.9, 0.1}, 0, 256, 256}, 100, -100).center, (PlanePoint{1, 0}));
}

// Round steps at least the spacing apart, labelled by hemisphere.
TEST(Graticule, RoundDegreesAndAScaleBar) {
    // Zoom 10 around 0°/0°: 360° / 262144 pixels, so 100 pixels are 0.137°
    // and the step is 0.2°; 600 pixels span ±0.41°.
    const Viewport view{{0.5, 0.5}, 10, 600, 600};
    const Graticule graticule = GraticuleOf(view, 100);
    EXPECT_EQ(labels(graticule.meridians),
              (std::vector<std::string>{"0.4°W", "0.2°W", "0.0°", "0.2°E", "0.4°E"}));
    EXPECT_EQ(labels(graticule.parallels),
              (std::vector<std::string>{"0.4°S", "0.2°S", "0.0°", "0.2°N", "0.4°N"}));
    EXPECT_NEAR(graticule.meridians[3].screen, 300 + 0.2 / 360 * 262144, 1e-6);
    EXPECT_LT(graticule.parallels[3].screen, 300);

    // Around 60° north a degree of latitude is about twice as long on the
    // plane as one of longitude, so parallels take the smaller step; it is
    // measured at the view's southern edge, 56.5°, where they lie closest.
    const Graticule north = GraticuleOf({Project(60, 10), 6, 500, 600}, 100);
    EXPECT_EQ(labels(north.meridians), (std::vector<std::string>{"5°E", "10°E", "15°E"}));
    EXPECT_EQ(labels(north.parallels), (std::vector<std::string>{"58°N", "60°N", "62°N"}));

    // Zoom 16 at the equator: 2.39 m per pixel, so 120 pixels hold 200 m.
    const ScaleBar metres = ScaleBarOf({{0.5, 0.5}, 16, 400, 400}, 120);
    EXPECT_EQ(metres.label, "200 m");
    EXPECT_NEAR(metres.pixels, 200 / 2.388657133911758, 1e-6);
    EXPECT_EQ(ScaleBarOf({{0.5, 0.5}, 9, 400, 400}, 120).label, "20 km");
    EXPECT_EQ(ScaleBarOf({Project(60, 0), 9, 400, 400}, 120).label, "10 km");
}
