#include "ui/map/MapForm.h"

#include "CanvasPixels.h"
#include "MapColours.h"
#include "TileServer.h"
#include "WindowFixture.h"
#include "mapview/Graticule.h"
#include "mapview/TileGrid.h"
#include "mapview/ViewFit.h"
#include "ui/map/MapCanvas.h"
#include "ui/map/TileSource.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

using namespace wavemark;
using namespace wavemark::test;
using namespace std::string_literals;

namespace {

const QColor kHighlightYellow(0xff, 0xd8, 0x00);

// An open, a protected and an ad-hoc access point in a row from west to
// east; the protected one has a track of two points, thick and orange,
// running north to south between the others.
ConversionData threeAccessPoints() {
    using enum NetworkClass;
    ConversionData data;
    data.WptCount = 3;
    data.WptName = {"", "aaaaaa", "bbbbbb", "cccccc"};
    data.WptComment = {"", "first", "second", "third"};
    data.WptLat = {0, 47.0, 47.0, 47.0};
    data.WptLon = {0, 8.0, 8.01, 8.02};
    data.WptSignal = {0, 50, 60, 70};
    data.WptBssid = {"", "( 00:00:00:aa:aa:aa )", "( 00:00:00:bb:bb:bb )", "( 00:00:00:cc:cc:cc )"};
    data.WptClass = {Open, Open, Protected, AdHoc};
    data.WptTrack = {0, 0, 1, 0};
    data.TrkCount = 1;
    data.TrkLineStyle = {0, 2};
    data.TrkColor = {0, 0x0080ff};
    data.TrkFirstPoint = {0, 1};
    data.TrkPointCount = 2;
    data.TptLat = {0, 47.004, 46.996};
    data.TptLon = {0, 8.015, 8.015};
    return data;
}

// A canvas of 400 × 300 pixels without tiles, showing the three.
struct CanvasFixture {
    CanvasFixture() {
        canvas.resize(400, 300);
        canvas.setScene(std::make_shared<MapScene>(SceneOf(threeAccessPoints())));
    }
    MapCanvas canvas{nullptr};
};

void wheel(MapCanvas& canvas, QPoint at, int delta) {
    QWheelEvent event(at, canvas.mapToGlobal(at), {}, {0, delta}, Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&canvas, &event);
}

// A map window on its own, asking the given tile server, showing the three.
struct MapFixture {
    explicit MapFixture(const QString& tileUrl)
        : map(section(tileUrl),
              {&shell, cache.path(), [](QWidget*) { return std::make_unique<ScriptedDialog>(); },
               &messages}) {
        map.showScene(std::make_shared<MapScene>(SceneOf(threeAccessPoints())));
        map.show();
    }
    static MapSection section(const QString& tileUrl) {
        MapSection section;
        section.Width = 400;
        section.Height = 300;
        section.TileUrl = tileUrl.toStdString();
        return section;
    }
    // Whether every tile the view shows has arrived, or has failed.
    bool tilesSettled(bool arrived) const {
        const std::vector<TileId> tiles = TilesInView(map.canvas()->view());
        return !tiles.empty() && std::all_of(tiles.begin(), tiles.end(), [&](TileId id) {
            return arrived ? !map.tiles()->tile(id).isNull() : map.tiles()->failed(id);
        });
    }

    QTemporaryDir cache;
    FakeShell shell;
    FakeMessages messages;
    MapForm map;
};

// A window whose map asks no tile server.
WindowFixture& withoutTiles(WindowFixture& f) {
    f.folder.write("Wavemark.ini", "[Map]\r\nTileUrl=\r\n");
    return f;
}

} // namespace

class MapFormTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { PrepareWindowTests(); }

    // Fitted to the survey: each marker in its class's colour, the track in its own colour
    // across the pixels between its points, on the plain background.
    void drawsTracksAndMarkers() {
        CanvasFixture f;
        MapCanvas& canvas = f.canvas;
        QCOMPARE(canvas.view().zoom, 14);
        const QImage image = canvas.grab().toImage();
        QCOMPARE(image.pixelColor(screenOf(canvas, 47.0, 8.0)), kOpenGreen);
        QCOMPARE(image.pixelColor(screenOf(canvas, 47.0, 8.01)), kProtectedRed);
        QCOMPARE(image.pixelColor(screenOf(canvas, 47.0, 8.02)), kAdHocBlue);
        const QPoint north = screenOf(canvas, 47.004, 8.015);
        const QPoint south = screenOf(canvas, 46.996, 8.015);
        for (int y = north.y() + 1; y < south.y(); y += 7) {
            QCOMPARE(image.pixelColor(north.x(), y), kTrackOrange);
        }
        QCOMPARE(image.pixelColor(north.x() + 6, (north.y() + south.y()) / 2),
                 QColor(0xf2, 0xef, 0xe9));

        // Few markers in view: each has its name beside it, in black.
        const QPoint open = screenOf(canvas, 47.0, 8.0);
        int dark = 0;
        for (int x = open.x() + 8; x < open.x() + 50; ++x) {
            for (int y = open.y() - 6; y <= open.y() + 6; ++y) {
                dark += image.pixelColor(x, y).lightness() < 96 ? 1 : 0;
            }
        }
        QVERIFY(dark > 20);
    }

    // The marker under the pointer gives its tooltip (MapScene's text); a click on it highlights
    // its track, a click beside every marker takes the highlight away again.
    void tooltipsAndHighlight() {
        CanvasFixture f;
        MapCanvas& canvas = f.canvas;
        const QPoint second = screenOf(canvas, 47.0, 8.01);
        QCOMPARE(canvas.toolTipAt(second + QPoint(3, -2)).section(u'\n', 0, 0),
                 QString("Name: bbbbbb"));
        QVERIFY(canvas.toolTipAt(second + QPoint(12, 0)).isEmpty());

        const QPoint beside = screenOf(canvas, 47.003, 8.015) + QPoint(4, 0);
        QCOMPARE(pixel(canvas, beside), QColor(0xf2, 0xef, 0xe9));
        QTest::mouseClick(&canvas, Qt::LeftButton, {}, second);
        QCOMPARE(canvas.highlightedTrack(), 0);
        QCOMPARE(pixel(canvas, beside), kHighlightYellow);
        QTest::mouseClick(&canvas, Qt::LeftButton, {}, screenOf(canvas, 47.0, 8.0));
        QCOMPARE(canvas.highlightedTrack(), -1);
        QTest::mouseClick(&canvas, Qt::LeftButton, {}, second);
        QTest::mouseClick(&canvas, Qt::LeftButton, {}, second + QPoint(40, 40));
        QCOMPARE(canvas.highlightedTrack(), -1);
        QCOMPARE(pixel(canvas, beside), QColor(0xf2, 0xef, 0xe9));
    }

    // The wheel zooms around the pointer, a drag pans by what it moved, the keys step, and
    // Home fits the survey again.
    void wheelDragAndKeys() {
        CanvasFixture f;
        MapCanvas& canvas = f.canvas;
        const Viewport fitted = canvas.view();
        const QPoint pointer(300, 80);
        wheel(canvas, pointer, 120);
        QCOMPARE(canvas.view(), ZoomAround(fitted, {300, 80}, 1));
        wheel(canvas, pointer, -120);
        wheel(canvas, pointer, -120);
        QCOMPARE(canvas.view().zoom, fitted.zoom - 1);

        canvas.setView(fitted.center, fitted.zoom);
        const QPoint marker = screenOf(canvas, 47.0, 8.02);
        QTest::mousePress(&canvas, Qt::LeftButton, {}, {200, 150});
        QTest::mouseMove(&canvas, {180, 160});
        QTest::mouseMove(&canvas, {150, 170});
        QTest::mouseRelease(&canvas, Qt::LeftButton, {}, {150, 170});
        QCOMPARE(screenOf(canvas, 47.0, 8.02), marker + QPoint(-50, 20));
        QCOMPARE(canvas.highlightedTrack(), -1);

        const QPoint before = screenOf(canvas, 47.0, 8.02);
        QTest::keyClick(&canvas, Qt::Key_Right);
        QCOMPARE(screenOf(canvas, 47.0, 8.02), before - QPoint(96, 0));
        QTest::keyClick(&canvas, Qt::Key_Up);
        QCOMPARE(screenOf(canvas, 47.0, 8.02), before - QPoint(96, -96));
        QTest::keyClick(&canvas, Qt::Key_Plus);
        QCOMPARE(canvas.view().zoom, fitted.zoom + 1);
        QTest::keyClick(&canvas, Qt::Key_Minus);
        QTest::keyClick(&canvas, Qt::Key_Minus);
        QCOMPARE(canvas.view().zoom, fitted.zoom - 1);
        QTest::keyClick(&canvas, Qt::Key_Home);
        QCOMPARE(canvas.view(), fitted);
    }

    // The tiles under the survey, the server's credit in the corner leading to its copyright
    // page; where the server fails, the plain background and the graticule, and no box.
    void tilesOrTheGraticule() {
        TileServer server;
        MapFixture f(server.urlTemplate());
        QTRY_VERIFY(f.tilesSettled(true));
        MapCanvas& canvas = *f.map.canvas();
        const Viewport view = canvas.view();
        const QPoint corner(20, 60);
        // The colour of the tile of a zoom level under the corner as the canvas shows it now.
        const auto tileColor = [&](int zoom) {
            const PlanePoint there = ToPlane(canvas.view(), {20.5, 60.5});
            const double tiles = std::ldexp(1.0, zoom);
            return TileServer::colorOf(zoom, static_cast<int>(there.x * tiles),
                                       static_cast<int>(there.y * tiles));
        };
        QCOMPARE(pixel(canvas, corner), tileColor(view.zoom));
        // Zoomed in, the coarser tiles stand in until the new ones come.
        server.hold();
        QTest::keyClick(&canvas, Qt::Key_Plus);
        QCOMPARE(pixel(canvas, corner), tileColor(view.zoom));
        server.stopHolding();
        QTRY_COMPARE(pixel(canvas, corner), tileColor(view.zoom + 1));
        QCOMPARE(pixel(canvas, screenOf(canvas, 47.0, 8.01)), kProtectedRed);
        for (const Request& request : server.requests()) {
            QVERIFY(request.userAgent.startsWith("Wavemark/"));
        }

        auto* credit = f.map.findChild<QLabel*>("MapAttribution");
        QVERIFY(credit->isVisible() && credit->text().contains(u"© OpenStreetMap contributors"));
        QCOMPARE(credit->geometry().bottomRight() + QPoint(1, 1),
                 canvas.rect().bottomRight() + QPoint(1, 1));
        emit credit->linkActivated(credit->text().section(u'"', 1, 1));
        QCOMPARE(f.shell.calls, Calls{"address https://www.openstreetmap.org/copyright"});

        server.setAnswerToAll(Answer::ServerError);
        MapFixture failing(server.urlTemplate());
        QTRY_VERIFY(failing.tilesSettled(false));
        MapCanvas& plain = *failing.map.canvas();
        const Graticule graticule = GraticuleOf(plain.view(), 120);
        QVERIFY(!graticule.meridians.empty() && !graticule.parallels.empty());
        const QPoint onMeridian(static_cast<int>(std::floor(graticule.meridians[0].screen)), 200);
        QCOMPARE(pixel(plain, onMeridian), QColor(0xc4, 0xc0, 0xb8));
        QCOMPARE(pixel(plain, onMeridian + QPoint(3, 0)), QColor(0xf2, 0xef, 0xe9));
        const auto boxes = QApplication::topLevelWidgets();
        QVERIFY(std::none_of(boxes.begin(), boxes.end(),
                             [](QWidget* w) { return qobject_cast<QMessageBox*>(w); }));
    }

    // Opened by a double click on "Converted !", which says so, or by Ctrl+M; it then
    // follows each conversion, keeping its view while that shows the survey.
    void opensAndFollowsConversions() {
        WindowFixture f;
        ConvForm& window = withoutTiles(f).start();
        // A desktop without a window manager activates no window by itself.
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_M, Qt::ControlModifier);
        QVERIFY(window.mapForm() && window.mapForm()->isVisible());
        QCOMPARE(window.mapForm()->windowTitle(), QString("Wavemark - Map"));
        MapCanvas& canvas = *window.mapForm()->canvas();
        QVERIFY(canvas.scene().markers.empty());
        window.mapForm()->close();

        f.chooseSampleExports();
        f.click("Convert");
        QCOMPARE(canvas.scene().markers.size(), size_t{28});
        QCOMPARE(canvas.scene().tracks.size(), size_t{26});
        QVERIFY(!window.mapForm()->isVisible());
        auto* converted = f.control<QWidget>("Label_Status(1)");
        QCOMPARE(converted->toolTip(), QString("Double-Click to show the map"));
        QTest::mouseDClick(converted, Qt::LeftButton);
        QVERIFY(window.mapForm()->isVisible());
        const Viewport fitted = canvas.view();
        QVERIFY(Shows(fitted, canvas.scene().bounds));

        QTest::keyClick(&canvas, Qt::Key_Plus);
        f.click("NoWEPCheck");
        f.click("Convert");
        QCOMPARE(canvas.scene().markers.size(), size_t{15});
        QCOMPARE(canvas.view().zoom, fitted.zoom + 1);
        QCOMPARE(window.findChildren<MapForm*>().size(), qsizetype{1});
        QVERIFY(f.messages.shown.size() <= 1); // at most the close's question
    }

    // [Map] is written only by a run that opened the map; the next run's map opens where
    // that one was, showing what it showed; lines the user added to the section stay.
    void keptInTheMapSection() {
        WindowFixture f;
        f.start();
        QVERIFY(f.window->close());
        const std::string firstStart = ReadBytes(f.window->settingsFilePath());
        QVERIFY(firstStart.find("[Map]") == std::string::npos);
        f.start();
        QVERIFY(f.window->close());
        QCOMPARE(ReadBytes(f.window->settingsFilePath()), firstStart);

        f.folder.write("Wavemark.ini", firstStart + "[Map]\r\n; my note\r\nTileUrl=\r\n");
        f.start().showMap();
        MapForm* map = f.window->mapForm();
        map->resize(500, 400);
        map->canvas()->setView(Project(47.3756, 8.5401), 15);
        QVERIFY(f.window->close());
        QVERIFY(!map->isVisible());
        const std::string written = ReadBytes(f.window->settingsFilePath());
        QVERIFY(written.starts_with(firstStart + "[Map]\r\n; my note\r\nTileUrl=\r\nLeft="));
        QVERIFY(written.find("\r\nWidth=500\r\nHeight=400\r\nLatitude=47.3756000\r\n"
                             "Longitude=8.5401000\r\nZoom=15\r\n") != std::string::npos);

        f.start().showMap();
        QCOMPARE(f.window->mapForm()->size(), QSize(500, 400));
        const Viewport restored = f.window->mapForm()->canvas()->view();
        QCOMPARE(restored.zoom, 15);
        QVERIFY(std::abs(LatitudeAt(restored.center.y) - 47.3756) < 1e-7);
        QVERIFY(std::abs(LongitudeAt(restored.center.x) - 8.5401) < 1e-7);
        QVERIFY(f.window->close());
    }
};

QTEST_MAIN(MapFormTest)
#include "MapFormTest.moc"
