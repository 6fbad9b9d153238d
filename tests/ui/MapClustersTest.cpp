#include "CanvasPixels.h"
#include "MapColours.h"
#include "WindowFixture.h"
#include "ui/map/MapCanvas.h"

#include <QTest>

using namespace wavemark;
using namespace wavemark::test;

namespace {

// Three open access points and a protected one in one building, 25 m
// apart, an open one 4 km south-west, and a stray fix in Sydney, without
// tracks.
ConversionData buildingAndNeighbour() {
    using enum NetworkClass;
    ConversionData data;
    data.WptCount = 6;
    data.WptName = {"", "a00001", "a00002", "b00003", "a00004", "n00005", "s00006"};
    data.WptComment = {"", "", "", "", "", "", ""};
    data.WptLat = {0, 47.3700, 47.3700, 47.3702, 47.3702, 47.3600, -33.87};
    data.WptLon = {0, 8.5400, 8.5403, 8.5400, 8.5403, 8.5000, 151.21};
    data.WptSignal = {0, 50, 60, 70, 80, 90, 40};
    data.WptBssid = {"", "", "", "", "", "", ""};
    data.WptClass = {Open, Open, Open, Protected, Open, Open, Open};
    return data;
}

// Pixels as dark as text, darker than the background and the markers.
int darkPixels(const QImage& image, const QRect& area) {
    int dark = 0;
    for (int x = area.left(); x <= area.right(); ++x) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            dark += image.pixelColor(x, y).lightness() < 96 ? 1 : 0;
        }
    }
    return dark;
}

QString nameAt(const MapCanvas& canvas, QPoint at) {
    return canvas.toolTipAt(at).section(u'\n', 0, 0);
}

} // namespace

class MapClustersTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { PrepareWindowTests(); }

    // The map opens, and Home returns, on the building and its neighbour
    // without the stray. Zoomed out, the building is one circle with its
    // count, its ring three quarters green clockwise from the top and a
    // quarter red, without a name or a tooltip; the neighbour stays a
    // marker with both. Zoomed in, each access point is a marker of its
    // class with its own tooltip.
    void clustersWhenZoomedOutMarkersWhenZoomedIn() {
        MapCanvas canvas(nullptr);
        canvas.resize(400, 300);
        canvas.setScene(std::make_shared<MapScene>(SceneOf(buildingAndNeighbour())));
        QCOMPARE(canvas.view().zoom, 13);
        canvas.setView(Project(0, 0), 2);
        QTest::keyClick(&canvas, Qt::Key_Home);
        QCOMPARE(canvas.view().zoom, 13);
        QCOMPARE(nameAt(canvas, screenOf(canvas, 47.36, 8.50)), QString("Name: n00005"));

        canvas.setView(Project(47.3701, 8.54015), 12);
        QImage image = canvas.grab().toImage();
        const QPoint middle = screenOf(canvas, 47.3701, 8.54015);
        QCOMPARE(image.pixelColor(middle + QPoint(8, 0)), kOpenGreen);
        QCOMPARE(image.pixelColor(middle + QPoint(0, 8)), kOpenGreen);
        QCOMPARE(image.pixelColor(middle + QPoint(-6, -6)), kProtectedRed);
        QVERIFY(darkPixels(image, QRect(middle.x() - 3, middle.y() - 4, 7, 9)) > 3);
        QCOMPARE(darkPixels(image, QRect(middle.x() + 14, middle.y() - 8, 60, 16)), 0);
        QCOMPARE(canvas.toolTipAt(middle), QString());
        QCOMPARE(canvas.toolTipAt(screenOf(canvas, 47.37, 8.54)), QString());
        const QPoint neighbour = screenOf(canvas, 47.36, 8.50);
        QVERIFY(darkPixels(image, QRect(neighbour.x() + 8, neighbour.y() - 6, 40, 13)) > 20);
        QCOMPARE(nameAt(canvas, neighbour), QString("Name: n00005"));

        canvas.setView(Project(47.3701, 8.54015), 18);
        image = canvas.grab().toImage();
        const QPoint protectedOne = screenOf(canvas, 47.3702, 8.5400);
        QCOMPARE(image.pixelColor(protectedOne), kProtectedRed);
        QCOMPARE(nameAt(canvas, protectedOne + QPoint(2, -1)), QString("Name: b00003"));
        const QPoint openOne = screenOf(canvas, 47.3700, 8.5403);
        QCOMPARE(image.pixelColor(openOne), kOpenGreen);
        QCOMPARE(nameAt(canvas, openOne), QString("Name: a00002"));
        QVERIFY(darkPixels(image, QRect(openOne.x() + 8, openOne.y() - 6, 30, 13)) > 20);
    }
};

QTEST_MAIN(MapClustersTest)
#include "MapClustersTest.moc"
