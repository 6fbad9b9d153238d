#include "ui/ConvForm.h"
#include "SameBytes.h"
#include "WindowFixture.h"
#include "ui/LineWidget.h"
#include "ui/Links.h"
#include "ui/Shell.h"

#include "cli/CommandLineConverter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using namespace wavemark;
using namespace wavemark::test;
using namespace std::string_literals;

class ConvFormTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { PrepareWindowTests(); }

    // The first start shows the untitled About window; a click or key closes it but on the
    // rights notice, the links and arrows. It opens beside the main window where there is room.
    void firstStartAndTheAboutWindow() {
        WindowFixture f;
        ConvForm& window = f.start();
        QVERIFY(window.aboutForm() && window.aboutForm()->isVisible());
        const QString title = window.aboutForm()->windowTitle();
        QVERIFY((title.isEmpty() ? QApplication::applicationName() : title).trimmed().isEmpty());
        f.click("Image2");
        QCOMPARE(f.shell.calls, Calls{"address https://www.gpstm.com/"});
        const auto staysOpen = [&f](const char* control, Qt::Key key = Qt::Key_unknown) {
            f.shell.calls.clear();
            f.window->showAbout();
            AboutForm* about = f.window->aboutForm();
            if (control) {
                QTest::mouseClick(about->findChild<QWidget*>(control), Qt::LeftButton, {},
                                  QPoint(2, 2));
            } else {
                QTest::keyClick(about, key);
            }
            return about->isVisible();
        };
        QVERIFY(!staysOpen("Image2") && f.shell.calls.empty());
        QVERIFY(staysOpen("Label8") && f.shell.calls.empty());
        QVERIFY(staysOpen("Label9"));
        QCOMPARE(f.shell.calls, Calls{"address mailto:" + std::string(kContactMail)});
        QVERIFY(!staysOpen(nullptr, Qt::Key_Return) && staysOpen(nullptr, Qt::Key_Right));

        for (const char* control : {"Command2", "Command2", "Label2", "Label3"}) {
            f.click(control);
        }
        QCOMPARE(window.findChildren<AboutForm*>().size(), qsizetype{1});
        QVERIFY(window.aboutForm()->isVisible());

        for (const auto& [mainAt, besideIt] :
             {std::pair{QPoint(-200, 30), true}, {QPoint(100, 30), false}}) {
            delete window.aboutForm();
            window.move(mainAt);
            f.click("Command2");
            const QRect main = window.frameGeometry();
            const QRect about = window.aboutForm()->frameGeometry();
            QCOMPARE(besideIt ? about.topLeft() : about.center(),
                     besideIt ? QPoint(main.right() + 1, main.top()) : main.center());
        }
        QVERIFY(window.close());
        QVERIFY(!window.aboutForm() || !window.aboutForm()->isVisible());
        QVERIFY(f.messages.shown.empty());
    }

    // A link opens its page only when the button goes up on it, even after a move away.
    void linksOpenWhenReleasedOnThem() {
        WindowFixture f;
        ConvForm& window = f.start(); // the first start shows the About window
        const std::pair<QWidget*, std::string> links[] = {
            {f.control<QWidget>("Image1"), "address https://www.netstumbler.com/"},
            {f.control<QWidget>("Image2"), "address https://www.gpstm.com/"},
            {window.aboutForm()->findChild<QWidget*>("Label6"), "address https://www.gpstm.com/"},
        };
        for (const auto& [link, opened] : links) {
            const QPoint on(2, 2);
            const QPoint off(link->width() + 10, link->height() / 2);
            for (const bool backOn : {false, true}) {
                f.shell.calls.clear();
                QTest::mousePress(link, Qt::LeftButton, {}, on);
                QTest::mouseMove(link, off);
                if (backOn) {
                    QTest::mouseMove(link, on);
                }
                QTest::mouseRelease(link, Qt::LeftButton, {}, backOn ? on : off);
                QCOMPARE(f.shell.calls, backOn ? Calls{opened} : Calls{});
            }
        }
    }

    // Over two starts by mouse: the settings come back, and the window saves and shows what
    // the command-line converter writes and prints with them.
    void wholeSessionByClicking() {
        WindowFixture f;
        f.start();
        f.chooseSampleExports();

        f.click("Convert");

        f.control<QComboBox>("CB_StyleWEP")->setCurrentIndex(2);
        f.control<QComboBox>("CB_LineWEP")->setCurrentIndex(0);
        f.click("TChangeColors");
        f.click("NoWEPCheck");
        f.control<QLineEdit>("TBAPFilter")->setText("home,café");

        // Yes saves first; a cancelled save still lets the window close.
        f.messages.answer = MessageAnswer::Yes;
        f.saveDialog().cancel();
        QVERIFY(f.window->close());
        QCOMPARE(f.saveDialog().shown.size(), size_t{1});
        QCOMPARE(f.messages.shown.size(), size_t{1});
        const ShownMessage& question = f.messages.shown.front();
        QCOMPARE(question.text, std::string("The converted data is not saved ! Do you like to "
                                            "save the data before closing the program ?"));
        QVERIFY(question.buttons == MessageButtons::YesNo && question.icon == MessageIcon::None);
        QCOMPARE(question.title, "Wavemark"s);

        // The second start: the symbol lists show in the bytes.
        QVERIFY(!f.start().aboutForm());
        QCOMPARE(f.control<QComboBox>("CB_LineWEP")->currentIndex(), 0);
        QVERIFY(f.control<QCheckBox>("NoWEPCheck")->isChecked());
        QCOMPARE(f.control<QLineEdit>("TBAPFilter")->text(), QString("home,café"));

        f.click("Convert");
        f.messages.shown.clear();
        const std::string saved = f.folder.file("survey.gtm");
        f.saveDialog().acceptFile(saved);
        f.click("Command1");

        std::ostringstream out, errors;
        const std::string fromCli = f.folder.file("cli.gtm");
        QCOMPARE(RunCommandLine(
                     {"--settings", f.window->settingsFilePath(), kSummary, kText, "-o", fromCli},
                     f.folder.path().string(), out, errors),
                 int(kExitOk));
        QVERIFY(ReadBytes(saved) == ReadBytes(fromCli));
        // The counters show what the converter printed, in the window's font.
        QString counters;
        for (int index = 0; index < 7; ++index) {
            counters += f.counter(index)->text() + u'\n';
            QCOMPARE(f.counter(index)->font(), f.window->font());
        }
        QCOMPARE(counters, QString::fromStdString(out.str()));

        // A double click opens the saved file, else starts it, else says so.
        const std::string opened = "document survey.gtm in " + f.folder.path().string();
        QTest::mouseDClick(f.control<QWidget>("Label_Status(2)"), Qt::LeftButton);
        f.shell.documentsOpen = false;
        QTest::mouseDClick(f.control<QWidget>("Label_Status(2)"), Qt::LeftButton);
        QCOMPARE(f.shell.calls, (Calls{opened, opened, "program " + saved}));
        QCOMPARE(f.messages.shown.back().text, "The file could not be opened:\r\n" + saved);
        QVERIFY(f.window->close());
        QCOMPARE(f.messages.shown.size(), size_t{1}); // no question: the data is saved
    }

    void savesEachMapFormat_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("GTM") << "survey.gtm";
        QTest::newRow("GPX") << "survey.GPX";
        QTest::newRow("KML") << "survey.kml";
        QTest::newRow("GeoJSON") << "survey.geojson";
    }

    // The save dialog offers the four formats, GTM proposed; the chosen name's format is
    // written as the converter writes it, and "File saved !" opens that file.
    void savesEachMapFormat() {
        QFETCH(QString, name);
        qputenv("SOURCE_DATE_EPOCH", "1796594118");
        WindowFixture f;
        f.start();
        f.chooseSampleExports();
        const std::string saved = f.folder.file(name.toStdString());
        f.saveDialog().acceptFile(saved);
        f.click("Command1");

        const ScriptedDialog::Shown& shown = f.saveDialog().shown.back();
        QCOMPARE(shown.Filter, "GPS TrackMaker File (*.gtm)|*.gtm|GPX File (*.gpx)|*.gpx|"
                               "KML File (*.kml)|*.kml|GeoJSON File (*.geojson)|*.geojson|"s);
        QCOMPARE(shown.FileName, "NS-Log_2004-04-09.gtm"s);
        std::ostringstream out, errors;
        const std::string fromCli = f.folder.file("cli-" + name.toStdString());
        QCOMPARE(
            RunCommandLine({kSummary, kText, "-o", fromCli}, f.folder.path().string(), out, errors),
            int(kExitOk));
        QVERIFY(SameBytes(ReadBytes(fromCli), ReadBytes(saved)));
        QVERIFY(f.control<QWidget>("Label_Status(2)")->isVisible());
        QTest::mouseDClick(f.control<QWidget>("Label_Status(2)"), Qt::LeftButton);
        QCOMPARE(f.shell.calls,
                 (Calls{"document " + name.toStdString() + " in " + f.folder.path().string()}));
        qunsetenv("SOURCE_DATE_EPOCH");
    }

    // The waypoint rule has no control: the window takes it from the settings file, reads the
    // text export for it with tracks off, saves what the converter writes, and keeps it.
    void estimatedPositionsFromTheSettingsFile() {
        WindowFixture f;
        f.folder.write("Wavemark.ini", "[InputPath]\r\nInputSummaryFile=" + kSummary +
                                           "\r\nInputTextFile=" + kText +
                                           "\r\n[Options]\r\nTConvertEnabled=0\r\n"
                                           "[Positions]\r\nWaypoint=estimated\r\n");
        f.start();
        f.click("Convert");
        QCOMPARE(f.counter(5)->text(), QStringLiteral("Number of Tracklogs: 0"));
        const std::string saved = f.folder.file("survey.geojson");
        f.saveDialog().acceptFile(saved);
        f.click("Command1");
        std::ostringstream out, errors;
        const std::string fromCli = f.folder.file("cli.geojson");
        QCOMPARE(RunCommandLine(
                     {"--no-tracks", "--position", "estimated", kSummary, kText, "-o", fromCli},
                     f.folder.path().string(), out, errors),
                 int(kExitOk));
        QVERIFY(SameBytes(ReadBytes(fromCli), ReadBytes(saved)));
        QVERIFY(ReadBytes(saved).find("\"position\": \"estimated\"") != std::string::npos);
        QVERIFY(f.window->close());
        const std::string stored = ReadBytes(f.folder.file("Wavemark.ini"));
        QVERIFY(stored.find("[Tracks]\r\n") != std::string::npos); // written at close
        QVERIFY(stored.find("[Positions]\r\nWaypoint=estimated\r\n") != std::string::npos);
    }

    // A close asked for from a message box mid-run waits for the run's end; counters show.
    void closeDuringARun() {
        WindowFixture f;
        f.folder.write("summary.txt", ReadBytes(kSummary));
        f.folder.write("text.txt", "Not a survey\r\n");
        f.start();
        bool idle = true; // Convert or Save enabled, or the window closed
        QString waypoints;
        f.messages.whileShown = [&] {
            waypoints = f.counter(4)->text();
            idle = f.control<QPushButton>("Convert")->isEnabled() ||
                   f.control<QPushButton>("Command1")->isEnabled() || f.window->close();
            f.messages.whileShown = nullptr;
        };
        f.click("Convert");
        QVERIFY(!idle);
        QCOMPARE(waypoints, QStringLiteral("Number of Waypoints: 28"));
        QVERIFY(f.control<QPushButton>("Convert")->isEnabled());
        QTRY_VERIFY(!f.window->isVisible());
        QCOMPARE(f.messages.shown.back().buttons, MessageButtons::YesNo);
        QVERIFY(f.saveDialog().shown.empty());
    }

    // The window as designed at 96 dpi: its size, its 55 controls, a row of each kind placed by
    // the twip rule (15 to the pixel; a line a 2-pixel band around its segment; a label sized to
    // its text keeps its corner), Label3's rim taking clicks around Command2, no focusable
    // control over another, and the Tab order.
    void layoutAsDesigned() {
        WindowFixture f;
        f.folder.write("Wavemark.ini", ""); // no first start: no About window
        ConvForm& window = f.start();
        if (window.logicalDpiX() != 96 || window.logicalDpiY() != 96) {
            QSKIP("The designed pixels are those of a 96 dpi screen");
        }
        QCOMPARE(window.size(), QSize(456, 505));
        QCOMPARE(window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), qsizetype{55});
        // Image1 at 120, 90 twips, 2805 × 795; Line3(0) from 0 to 6960 along 1080; Line4 from
        // 4560 to 8040 along 3960.
        for (const auto& [name, rect] : {std::pair{"Image1", QRect(8, 6, 187, 53)},
                                         {"Line3(0)", QRect(0, 71, 464, 2)},
                                         {"Line4", QRect(263, 304, 2, 232)}}) {
            QCOMPARE(f.control<QWidget>(name)->geometry(), rect);
        }
        QCOMPARE(f.control<QWidget>("FontTest(0)")->pos(), QPoint(219, 263));
        QCOMPARE(window.childAt(9, 490), f.control<QWidget>("Label3"));
        QCOMPARE(window.childAt(60, 490), f.control<QWidget>("Command2"));

        QStringList tabOrder;
        for (int stop = 0; stop < 20; ++stop) {
            tabOrder.append(window.focusWidget()->objectName());
            QTest::keyClick(window.focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(tabOrder, QString("LoadFile(0) LoadFile(1) NoWEPCheck TBAPFilter SelectFont "
                                   "SelectBackground CB_IconNoWEP CB_StyleNoWEP CB_IconWEP "
                                   "CB_StyleWEP TConvertEnabled TChangeColors TrackColorNoWep "
                                   "TrackColorWep CB_LineNoWEP CB_LineWEP Convert Command1 "
                                   "Command2 LoadFile(0)")
                               .split(u' '));
        for (qsizetype a = 0; a < tabOrder.size() - 1; ++a) {
            for (qsizetype b = a + 1; b < tabOrder.size() - 1; ++b) {
                QVERIFY2(!f.control<QWidget>(tabOrder[a])
                              ->geometry()
                              .intersects(f.control<QWidget>(tabOrder[b])->geometry()),
                         qPrintable(tabOrder[a] + " overlaps " + tabOrder[b]));
            }
        }
    }

    // Each counter shows the longest text with the largest count whole.
    void countersShowTheLargestCount() {
        WindowFixture f;
        ConvForm& window = f.start();
        const QString widest = "Number of APs without WEP : 2147483647";
        for (int index = 0; index < 7; ++index) {
            window.setCounterLabel(static_cast<Counter>(index), widest.toStdString());
        }
        window.setWaitCursor(true);
        window.setWaitCursor(false);
        for (int index = 0; index < 7; ++index) {
            const QLabel* label = f.counter(index);
            const QRect inside = label->contentsRect().adjusted(label->indent(), 0, 0, 0);
            const QFontMetrics metrics(label->font());
            QCOMPARE(label->text(), widest);
            QVERIFY(metrics.horizontalAdvance(widest) <= inside.width() &&
                    metrics.height() <= inside.height());
        }
    }

    void storedCheckBoxes_data() {
        QTest::addColumn<int>("stored"); // each box's setting: 0 cleared, 1 ticked, 2 greyed
        QTest::addColumn<Qt::CheckState>("shown");
        QTest::addColumn<int>("waypoints");
        QTest::addColumn<int>("tracklogs");
        QTest::newRow("cleared") << 0 << Qt::Unchecked << 28 << 0;
        QTest::newRow("ticked") << 1 << Qt::Checked << 15 << 13;
        QTest::newRow("greyed") << 2 << Qt::PartiallyChecked << 28 << 26;
    }

    // Each box shows what is stored; only ticked drops WEP points, only cleared drops tracks.
    void storedCheckBoxes() {
        QFETCH(int, stored);
        QFETCH(Qt::CheckState, shown);
        QFETCH(int, waypoints);
        QFETCH(int, tracklogs);
        WindowFixture f;
        const std::string state = std::to_string(stored);
        f.folder.write("Wavemark.ini", "[InputPath]\r\nInputSummaryFile=" + kSummary +
                                           "\r\nInputTextFile=" + kText +
                                           "\r\n[Options]\r\nNoWEPCheck=" + state +
                                           "\r\nTConvertEnabled=" + state +
                                           "\r\n[Tracks]\r\nTChangeColors=" + state + "\r\n");
        f.start();
        for (const char* box : {"NoWEPCheck", "TConvertEnabled", "TChangeColors"}) {
            QCOMPARE(f.control<QCheckBox>(box)->checkState(), shown);
        }
        f.click("Convert");
        QCOMPARE(f.counter(4)->text(), QString("Number of Waypoints: %1").arg(waypoints));
        QCOMPARE(f.counter(5)->text(), QString("Number of Tracklogs: %1").arg(tracklogs));
    }

    // A box stored greyed (2) stays so until clicks tick and clear it; if untouched, so stored.
    void greyedCheckBoxes() {
        WindowFixture f;
        std::string stored = ReadBytes(f.start().settingsFilePath());
        const auto store = [&stored](const std::string& key, char value) {
            stored[stored.find("\n" + key + "=") + key.size() + 2] = value;
        };
        for (const char* box : {"NoWEPCheck", "TConvertEnabled", "TChangeColors"}) {
            store(box, '2');
        }
        f.folder.write("Wavemark.ini", stored);
        f.start();
        auto* tracks = f.control<QCheckBox>("TConvertEnabled");
        for (const Qt::CheckState state : {Qt::Checked, Qt::Unchecked, Qt::Checked}) {
            QTest::mouseClick(tracks, Qt::LeftButton);
            QCOMPARE(tracks->checkState(), state);
        }
        QVERIFY(f.window->close());
        store("TConvertEnabled", '1');
        QCOMPARE(ReadBytes(f.window->settingsFilePath()), stored);
    }

    // Settings that cannot be written are told at the close, which still closes.
    void unsavedSettingsAreTold() {
        WindowFixture f;
        ConvForm& window = f.start();
        const std::string path = window.settingsFilePath();
        std::filesystem::remove(path);
        std::filesystem::create_directory(path);
        QVERIFY(window.close());
        QCOMPARE(f.messages.shown.size(), size_t{1});
        const ShownMessage& told = f.messages.shown.front();
        QCOMPARE(told.text, "The settings could not be saved:\r\n" + path + "\r\nIs a directory");
        QVERIFY(told.buttons == MessageButtons::Ok && told.icon == MessageIcon::Critical);
        QCOMPARE(told.title, "Wavemark"s);
    }

    void dialogs_data() {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("Return") << Qt::Key_Return << Qt::KeyboardModifiers();
        QTest::newRow("keypad Enter") << Qt::Key_Enter << Qt::KeyboardModifiers(Qt::KeypadModifier);
        QTest::newRow("Space") << Qt::Key_Space << Qt::KeyboardModifiers();
    }

    // Enter, keypad Enter or Space press a focused button; the dialogs get the settings, their
    // answers are previewed, and a cancel changes nothing.
    void dialogs() {
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        WindowFixture f;
        ConvForm& window = f.start();
        const auto press = [&](const char* name) {
            f.control<QWidget>(name)->setFocus();
            QTest::keyClick(window.focusWidget(), key, modifiers);
        };
        const Settings before = window.settings();
        for (const auto& [button, dialog, title, flags] :
             {std::tuple{"LoadFile(0)", &f.openDialog(), "Netstumbler Summary-Text-File", 2625540},
              {"SelectFont", &f.fontDialog(), "Select he Waypoint - Font", 259},
              {"TrackColorWep", &f.colorDialog(), "Color", 0}}) {
            dialog->cancel();
            press(button);
            QCOMPARE(dialog->shown.size(), size_t{1});
            QCOMPARE(dialog->shown.back().DialogTitle, std::string(title));
            QCOMPARE(dialog->shown.back().Flags, flags);
        }
        QVERIFY(window.settings() == before);
        const ScriptedDialog::Shown& shown = f.openDialog().shown.back();
        QCOMPARE(shown.InitDir, f.folder.path().string());
        QCOMPARE(shown.FileName, "summary.txt"s);
        QVERIFY(shown.Filter.starts_with(
            "Surveys (*.ns1;*.csv;*.kismet;*.txt;*.gz)|*.ns1;*.csv;*.kismet;*.txt;*.gz|"));

        f.openDialog().fail(5, "Access denied");
        press("LoadFile(1)");
        QCOMPARE(f.messages.shown.back().text, "Error 5 selecting file.\r\nAccess denied"s);

        f.openDialog().acceptFile(kText);
        press("LoadFile(1)");
        QCOMPARE(f.control<QLabel>("Filename(1)")->text().toStdString(), kText);

        for (const auto& [chosen, stored] : {std::pair{10.5, 10}, std::pair{11.5, 12}}) {
            f.fontDialog().accept([size = chosen](CommonDialog& d) {
                d.FontName = "Liberation Serif";
                d.FontSize = size;
                d.FontItalic = d.FontStrikethru = true;
                d.Color = 0x0000FF00;
            });
            press("SelectFont");
            for (const char* name : {"FontTest(0)", "FontTest(1)"}) {
                const QLabel* preview = f.control<QLabel>(name);
                QCOMPARE(preview->font().pointSize(), stored);
                QVERIFY(preview->font().italic() && preview->font().bold() &&
                        !preview->font().strikeOut());
                QCOMPARE(preview->palette().color(QPalette::WindowText), QColor(0, 255, 0));
            }
        }
        QCOMPARE(window.settings().WPFontName, "Liberation Serif"s);

        f.colorDialog().accept([](CommonDialog& d) { d.Color = 0x00FF0000; });
        press("SelectBackground");
        QCOMPARE(f.control<QLabel>("FontTest(0)")->palette().color(QPalette::Window),
                 QColor(0, 0, 255));

        f.colorDialog().accept([](CommonDialog& d) { d.Color = 0x000000FF; });
        press("TrackColorNoWep");
        QCOMPARE(f.control<LineWidget>("TLineNoWepTest")->lineColor(), QColor(255, 0, 0));

        // The WEP line keeps its colour in either width.
        auto* wepLine = f.control<LineWidget>("TLineWepTest");
        auto* lineList = f.control<QComboBox>("CB_LineWEP");
        lineList->setCurrentIndex(lineList->findText("Thin line"));
        QCOMPARE(wepLine->lineWidth(), 1);
        lineList->setCurrentIndex(lineList->findText("Thick line"));
        QCOMPARE(wepLine->lineWidth(), 2);
        QCOMPARE(wepLine->lineColor(), QColor(0, 128, 64));
    }
};

QTEST_MAIN(ConvFormTest)
#include "ConvFormTest.moc"
