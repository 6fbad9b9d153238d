#include "ui/map/MapForm.h"

#include "CanvasPixels.h"
#include "MapColours.h"
#include "ScriptedDialog.h"
#include "TileServer.h"
#include "WindowFixture.h"
#include "mapview/TileGrid.h"
#include "ui/map/LegendPainter.h"
#include "ui/map/MapCanvas.h"
#include "ui/map/MapSearchField.h"
#include "ui/map/TileSource.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCompleter>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

using namespace wavemark;
using namespace wavemark::test;

namespace {

// The signal scale as the dots and the legend must show it.
const QColor kMinus45(0x5e, 0xc9, 0x62);
const QColor kMinus60(0x21, 0x91, 0x8c);
const QColor kMinus90(0x44, 0x01, 0x54);
const QColor kNoSignalGrey(0x9e, 0x9e, 0x9e);
const QColor kEstimateInk(0x20, 0x20, 0x20);

// "lighthouse" (protected) was heard at -45 dBm north and south of 47.0 / 8.0, at -60 dBm
// east and west of it and not at all further east; its waypoint is its first reading.
// "harbour" (open) has no track, "Harbour Café" (ad hoc) lies to the south-east.
ConversionData harbourSurvey() {
    using enum NetworkClass;
    ConversionData data;
    data.WptCount = 3;
    data.WptName = {"", "aaaaaa", "bbbbbb", "cccccc"};
    data.WptComment = {"", "lighthouse", "harbour", "Harbour Caf\xc3\xa9"};
    data.WptLat = {0, 47.002, 47.0, 46.995};
    data.WptLon = {0, 8.0, 8.012, 8.012};
    data.WptSignal = {0, 104, 60, 70};
    data.WptBssid = {"", "( 00:00:00:aa:aa:aa )", "( 00:00:00:bb:bb:bb )", "( 00:00:00:cc:cc:cc )"};
    data.WptClass = {Open, Protected, Open, AdHoc};
    data.WptTrack = {0, 1, 0, 0};
    data.TrkCount = 1;
    data.TrkLineStyle = {0, 2};
    data.TrkColor = {0, 0x0080ff};
    data.TrkFirstPoint = {0, 1};
    data.TrkPointCount = 5;
    data.TptLat = {0, 47.002, 47.0, 46.998, 47.0, 47.0};
    data.TptLon = {0, 8.0, 8.003, 8.0, 7.997, 8.006};
    data.TptSignal = {0, 104, 89, 104, 89, -32618};
    return data;
}

// The map window on its own with fakes, its tiles from `tileUrl` (none when empty).
struct MapFixture {
    explicit MapFixture(const QString& tileUrl = {})
        : map(section(tileUrl),
              {&shell, cache.path(), [](QWidget*) { return std::make_unique<ScriptedDialog>(); },
               &messages}) {
        map.showScene(std::make_shared<MapScene>(SceneOf(harbourSurvey())));
        map.show();
    }
    static MapSection section(const QString& tileUrl) {
        MapSection section;
        section.Width = 400;
        section.Height = 340;
        section.TileUrl = tileUrl.toStdString();
        return section;
    }
    MapCanvas& canvas() const { return *map.canvas(); }
    ScriptedDialog& dialog() const { return dynamic_cast<ScriptedDialog&>(map.pictureDialog()); }
    template <typename T> T* control(const char* name) const {
        return map.findChild<T*>(QLatin1String(name));
    }
    LegendLayout legend(LegendContent content) const {
        return LegendLayoutOf(QFontMetrics(canvas().font()), canvas().view(), content);
    }

    QTemporaryDir cache;
    FakeShell shell;
    FakeMessages messages;
    MapForm map;
};

} // namespace

class MapSelectionTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { PrepareWindowTests(); }

    // A click on a marker shows its readings coloured by signal over its track, and a line from
    // where they place it to the strongest; a click on empty map takes them away again.
    void selectionShowsReadings() {
        MapFixture f;
        MapCanvas& canvas = f.canvas();
        const QPoint north = screenOf(canvas, 47.002, 8.0);
        const QPoint east = screenOf(canvas, 47.0, 8.003);
        const QPoint lost = screenOf(canvas, 47.0, 8.006);
        const QPoint estimate = screenOf(canvas, 47.0, 8.0);
        const QPoint halfway = screenOf(canvas, 47.001, 8.0);
        const QColor beneathLine = pixel(canvas, halfway);
        QCOMPARE(pixel(canvas, east), kTrackOrange);
        QCOMPARE(pixel(canvas, lost), kTrackOrange);
        QVERIFY(beneathLine != kEstimateInk);

        QTest::mouseClick(&canvas, Qt::LeftButton, {}, north + QPoint(2, 1));
        QCOMPARE(canvas.selectedMarker(), std::optional<uint32_t>(0));
        QCOMPARE(canvas.highlightedTrack(), 0);
        const QImage selected = canvas.grab().toImage();
        QCOMPARE(selected.pixelColor(north), kMinus45);
        QCOMPARE(selected.pixelColor(east), kMinus60);
        QCOMPARE(selected.pixelColor(lost), kNoSignalGrey);
        QCOMPARE(selected.pixelColor(estimate), kEstimateInk);
        QCOMPARE(selected.pixelColor(halfway), kEstimateInk);

        QTest::mouseClick(&canvas, Qt::LeftButton, {}, north + QPoint(30, 40));
        QCOMPARE(canvas.selectedMarker(), std::nullopt);
        QCOMPARE(pixel(canvas, lost), kTrackOrange);
        QCOMPARE(pixel(canvas, halfway), beneathLine);
    }

    // The legend shows the classes' marker colours and the signal scale until it is unticked;
    // then a selection still shows the scale alone.
    void legendShownAndHidden() {
        MapFixture f;
        MapCanvas& canvas = f.canvas();
        auto* box = f.control<QCheckBox>("CB_Legend");
        QVERIFY(box->isChecked());
        const LegendLayout whole = f.legend({true, true});
        QImage image = canvas.grab().toImage();
        QCOMPARE(image.pixelColor(whole.swatches[0]), kOpenGreen);
        QCOMPARE(image.pixelColor(whole.swatches[1]), kProtectedRed);
        QCOMPARE(image.pixelColor(whole.swatches[2]), kAdHocBlue);
        QCOMPARE(image.pixelColor(whole.noSignal), kNoSignalGrey);
        QCOMPARE(image.pixelColor(whole.scale.topLeft()), kMinus90);
        QCOMPARE(image.pixelColor(whole.scale.topLeft() + QPoint(60, 4)), kMinus60);
        QCOMPARE(image.pixelColor(whole.scale.topLeft() + QPoint(90, 9)), kMinus45);

        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(!box->isChecked() && !canvas.legendVisible());
        image = canvas.grab().toImage();
        QVERIFY(image.pixelColor(whole.swatches[0]) != kOpenGreen);
        QVERIFY(image.pixelColor(whole.scale.topLeft() + QPoint(60, 4)) != kMinus60);

        canvas.select(0);
        const LegendLayout scale = f.legend({false, true});
        image = canvas.grab().toImage();
        QCOMPARE(image.pixelColor(scale.scale.topLeft() + QPoint(60, 4)), kMinus60);
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(pixel(canvas, whole.swatches[1]), kProtectedRed);
    }

    // Typing part of a name or BSSID lists the matches, letter case aside; Enter centres the
    // map on the first and selects it, and a match chosen from the list is taken instead.
    void searchListsCentresAndSelects() {
        MapFixture f;
        MapCanvas& canvas = f.canvas();
        auto* search = f.control<MapSearchField>("ED_Search");
        // The list writes a chosen match into the field only while the field has the focus.
        f.map.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.map));
        search->setFocus();
        const int zoom = canvas.view().zoom;
        QTest::keyClicks(search, "HARB");
        QCOMPARE(search->matches(), QStringList({"harbour (00:00:00:bb:bb:bb)",
                                                 "Harbour Caf\u00e9 (00:00:00:cc:cc:cc)"}));
        QVERIFY(search->list()->popup()->isVisible());
        QTest::keyClick(search, Qt::Key_Return);
        QCOMPARE(canvas.selectedMarker(), std::optional<uint32_t>(1));
        const ScreenPoint centred = ToScreen(canvas.view(), Project(47.0, 8.012));
        QVERIFY(std::abs(centred.x - 200) <= 1 && std::abs(centred.y - canvas.height() / 2) <= 1);
        QVERIFY(canvas.view().zoom >= std::max(zoom, 17));

        search->clear();
        QTest::keyClicks(search, "harb");
        QAbstractItemView* list = search->list()->popup();
        QTRY_VERIFY(list->isVisible());
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(canvas.selectedMarker(), std::optional<uint32_t>(2));
        QCOMPARE(search->text(), QString("Harbour Caf\u00e9 (00:00:00:cc:cc:cc)"));
        QVERIFY(!list->isVisible());

        search->clear();
        QTest::keyClicks(search, "nowhere");
        QVERIFY(search->matches().isEmpty());
        QVERIFY(!list->isVisible());
        QTest::keyClick(search, Qt::Key_Return);
        QCOMPARE(canvas.selectedMarker(), std::optional<uint32_t>(2));
    }

    // "Save picture..." writes what the map shows, tiles and credit included, as a PNG of the
    // canvas's size; a cancel writes nothing, and a failed write says so.
    void savePicture() {
        TileServer server;
        MapFixture f(server.urlTemplate());
        MapCanvas& canvas = f.canvas();
        QTRY_VERIFY(std::ranges::all_of(TilesInView(canvas.view()), [&](TileId id) {
            return !f.map.tiles()->tile(id).isNull();
        }));
        canvas.select(0);
        QTemporaryDir folder;
        const QString path = folder.filePath("view.png");
        f.dialog().acceptFile(path.toStdString());
        QTest::mouseClick(f.control<QWidget>("CMD_SavePicture"), Qt::LeftButton);
        QCOMPARE(f.dialog().shown.size(), size_t{1});
        QCOMPARE(f.dialog().shown[0].operation, std::string("save"));
        QCOMPARE(f.dialog().shown[0].FileName, std::string("map.png"));
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("png"));
        const QImage saved = reader.read();
        QCOMPARE(saved.size(), canvas.size());
        const QImage shown = canvas.grab().toImage();
        QCOMPARE(saved.convertToFormat(QImage::Format_RGB32),
                 shown.convertToFormat(QImage::Format_RGB32));
        QVERIFY(f.control<QWidget>("MapAttribution")->isVisible());

        f.dialog().cancel();
        QTest::mouseClick(f.control<QWidget>("CMD_SavePicture"), Qt::LeftButton);
        QCOMPARE(f.dialog().shown.back().FileName, path.toStdString());
        QVERIFY(f.messages.shown.empty());

        const std::string missing = folder.filePath("gone/view.png").toStdString();
        f.dialog().acceptFile(missing);
        QTest::mouseClick(f.control<QWidget>("CMD_SavePicture"), Qt::LeftButton);
        QCOMPARE(f.messages.shown.size(), size_t{1});
        const ShownMessage& message = f.messages.shown[0];
        QVERIFY(
            message.text.starts_with("The picture could not be written:\r\n" + missing + "\r\n"));
        QCOMPARE(message.title, std::string("Wavemark"));
        QCOMPARE(message.icon, MessageIcon::Critical);
        QVERIFY(!QFile::exists(QString::fromStdString(missing)));
    }
};

QTEST_MAIN(MapSelectionTest)
#include "MapSelectionTest.moc"
