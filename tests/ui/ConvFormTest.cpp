#include "ConvFormLayout.h"
#include "LineWidget.h"
#include "WindowFixture.h"
#include "WindowFonts.h"

#include "CommandLineConverter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QStyleOption>

#include <fstream>
#include <sstream>

using namespace wavemark;
using namespace wavemark::test;

namespace {

const std::string kSamples = WAVEMARK_SAMPLES_DIR;
const std::string kSummary = kSamples + "/summary.txt";
const std::string kText = kSamples + "/text.txt";

std::string text(const QLabel* label) {
    return label->text().toStdString();
}

bool statusShown(const WindowFixture& f, int index) {
    return f.control<QWidget>(qPrintable(QStringLiteral("Label_Status(%1)").arg(index)))
        ->isVisible();
}

// Chooses both sample exports through the open dialog, as a user would.
void chooseSampleExports(WindowFixture& f) {
    f.openDialog().acceptFile(kSummary);
    f.click("LoadFile(0)");
    f.openDialog().acceptFile(kText);
    f.click("LoadFile(1)");
}

int keyLines(const std::string& iniPath) {
    std::ifstream in(iniPath);
    int count = 0;
    for (std::string line; std::getline(in, line);) {
        count += line.find('=') != std::string::npos;
    }
    return count;
}

} // namespace

class ConvFormTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        InstallWindowFonts();
    }

    void firstStartThenSecondStart() {
        WindowFixture f;
        ConvForm& window = f.start();
        QCOMPARE(keyLines(window.settingsFilePath()), 25);
        QVERIFY(window.aboutForm() && window.aboutForm()->isVisible());
        QVERIFY(!window.aboutForm()->isModal());
        for (const auto& [list, shown] : {std::pair{"CB_IconNoWEP", "Radio Beacon"},
                                          {"CB_IconWEP", "Tall Tower"},
                                          {"CB_StyleNoWEP", "Textbox with Name"},
                                          {"CB_StyleWEP", "Icon with Name"},
                                          {"CB_LineNoWEP", "Thick line"},
                                          {"CB_LineWEP", "Thick line"}}) {
            QCOMPARE(f.control<QComboBox>(list)->currentText(), QString(shown));
        }
        for (const auto& [box, ticked] :
             {std::pair{"TConvertEnabled", true}, {"TChangeColors", true}, {"NoWEPCheck", false}}) {
            QCOMPARE(f.control<QCheckBox>(box)->isChecked(), ticked);
        }

        f.control<QComboBox>("CB_IconNoWEP")->setCurrentIndex(0);
        f.control<QComboBox>("CB_StyleWEP")->setCurrentIndex(2);
        f.control<QComboBox>("CB_LineWEP")->setCurrentIndex(0);
        f.click("TChangeColors");
        f.click("NoWEPCheck");
        f.control<QLineEdit>("TBAPFilter")->setText("home,café");
        QVERIFY(f.close());
        QVERIFY(f.messages.shown.empty());
        QVERIFY(!window.aboutForm() || !window.aboutForm()->isVisible());

        ConvForm& second = f.start();
        QVERIFY(!second.aboutForm());
        QCOMPARE(f.control<QComboBox>("CB_IconNoWEP")->currentIndex(), 0);
        QCOMPARE(f.control<QComboBox>("CB_StyleWEP")->currentIndex(), 2);
        QCOMPARE(f.control<QComboBox>("CB_LineWEP")->currentIndex(), 0);
        QVERIFY(!f.control<QCheckBox>("TChangeColors")->isChecked());
        QVERIFY(f.control<QCheckBox>("NoWEPCheck")->isChecked());
        QCOMPARE(f.control<QLineEdit>("TBAPFilter")->text(), QString("home,café"));
        QCOMPARE(second.settings().APFilter, std::string("home,café"));
        QCOMPARE(second.settings().TLineWep, int16_t{1});
    }

    // Choose, convert and save with the mouse alone; the file is what the
    // command-line converter writes with the same settings. Closing asks
    // only while a conversion is not saved.
    void wholeSessionByClicking() {
        WindowFixture f;
        f.start();
        chooseSampleExports(f);
        QCOMPARE(text(f.control<QLabel>("Filename(0)")), kSummary);
        QCOMPARE(text(f.control<QLabel>("Filename(1)")), kText);

        f.click("Convert");
        const char* expected[] = {
            "Number of APs with WEP : 13", "Number of APs without WEP : 15",
            "Number of AdHoc peers : 1",   "Number of filterd APs : 1",
            "Number of Waypoints: 28",     "Number of Tracklogs: 26",
            "Number of Trackpoints: 300",
        };
        for (int index = 0; index < 7; ++index) {
            const auto* counter =
                f.control<QLabel>(qPrintable(QStringLiteral("Label1(%1)").arg(index)));
            QCOMPARE(text(counter), std::string(expected[index]));
            QVERIFY2(captionFits(counter), expected[index]);
        }
        QVERIFY(statusShown(f, 1) && !statusShown(f, 0) && !statusShown(f, 2));
        QVERIFY(f.close()); // answered No
        QCOMPARE(f.messages.shown.size(), size_t{1});
        const Shown& question = f.messages.shown.front();
        QCOMPARE(question.text, std::string("The converted data is not saved ! Do you like to "
                                            "save the data before closing the program ?"));
        QVERIFY(question.buttons == MessageButtons::YesNo && question.icon == MessageIcon::None);
        QCOMPARE(question.title, std::string("Wavemark"));
        QVERIFY(f.saveDialog().shown.empty());

        // Yes saves first; a cancelled save still lets the window close. The
        // exports chosen were stored at each close.
        f.start();
        f.click("Convert");
        f.messages.answer = MessageAnswer::Yes;
        f.saveDialog().cancel();
        QVERIFY(f.close());
        QCOMPARE(f.saveDialog().shown.size(), size_t{1});

        ConvForm& window = f.start();
        f.click("Convert");
        f.messages.shown.clear();
        const std::string saved = f.folder.file("survey.gtm");
        f.saveDialog().acceptFile(saved);
        f.click("Command1");
        QVERIFY(statusShown(f, 2) && !statusShown(f, 1));
        QCOMPARE(window.gtmFilePath(), saved);
        QCOMPARE(window.settings().OutputPath, f.folder.path().string());

        std::ostringstream out;
        std::ostringstream errors;
        const std::string fromCli = f.folder.file("cli.gtm");
        QCOMPARE(
            RunCommandLine({kSummary, kText, "-o", fromCli}, f.folder.path().string(), out, errors),
            int(kExitOk));
        QVERIFY(ReadBytes(saved) == ReadBytes(fromCli));

        QTest::mouseDClick(f.control<QWidget>("Label_Status(2)"), Qt::LeftButton);
        QCOMPARE(f.shell.calls,
                 std::vector<std::string>{"document survey.gtm in " + f.folder.path().string()});
        QVERIFY(f.close());
        QVERIFY(f.messages.shown.empty());
    }

    // Failures are shown and lose nothing. A summary that is no export stops
    // the run at a message box: the window is looked at from there, in the
    // middle of the run, and a close asked for there happens once it is over.
    void failuresAreShownAndLoseNothing() {
        WindowFixture f;
        ConvForm& window = f.start();
        chooseSampleExports(f);
        f.click("Convert");
        const std::string saved = f.folder.file("first.gtm");
        f.saveDialog().acceptFile(saved);
        f.click("Command1");
        const std::string savedBytes = ReadBytes(saved);

        f.saveDialog().acceptFile(f.folder.file("missing-folder/second.gtm"));
        f.click("Command1");
        QCOMPARE(f.messages.shown.size(), size_t{1});
        QVERIFY(f.messages.shown[0].text.starts_with("The GTM file could not be written:"));

        window.settings().SummaryFilePath = f.folder.file("gone.txt");
        f.click("Convert");
        QCOMPARE(f.messages.shown[1].title, std::string("ERROR - LoadFile"));

        window.settings().SummaryFilePath = f.folder.write("summary.txt", "Not a survey\r\n");
        std::string shown;
        bool convertEnabled = true;
        bool saveEnabled = true;
        bool closed = true;
        f.messages.whileShown = [&] {
            shown = f.messages.shown.back().text;
            convertEnabled = f.control<QPushButton>("Convert")->isEnabled();
            saveEnabled = f.control<QPushButton>("Command1")->isEnabled();
            closed = f.close();
            f.messages.whileShown = nullptr;
        };
        f.click("Convert");
        QCOMPARE(shown, std::string("Not a Network Stumbler file !"));
        QVERIFY(!convertEnabled && !saveEnabled && !closed);
        QVERIFY(f.control<QPushButton>("Convert")->isEnabled());
        QVERIFY(statusShown(f, 1) && !statusShown(f, 2));
        QVERIFY(ReadBytes(saved) == savedBytes);
        // The unsaved conversion is offered for saving, answered No.
        QTRY_VERIFY(!f.window->isVisible());
        QCOMPARE(f.messages.shown.back().buttons, MessageButtons::YesNo);
    }

    void layoutAsDesigned() {
        WindowFixture f;
        ConvForm& window = f.start();
        QCOMPARE(window.screen()->logicalDotsPerInch(), 96.0);
        QCOMPARE(window.windowTitle(), QString(kConvFormTitle));
        QCOMPARE(window.minimumSize(), QSize(456, 505));
        QCOMPARE(window.maximumSize(), QSize(456, 505));
        for (const ControlSpec& row : ConvFormControls()) {
            const QString name = QString::fromUtf8(row.name.data(), qsizetype(row.name.size()));
            const auto* widget = window.findChild<QWidget*>(name);
            QVERIFY2(widget, qPrintable(name));
            const QRect designed = ControlRect(row);
            if (row.look & SizedToText) {
                QCOMPARE(widget->pos(), designed.topLeft());
            } else {
                QCOMPARE(widget->geometry(), designed);
            }
            QVERIFY2(captionFits(widget), qPrintable(name));
        }
        const auto tabOrder = ConvFormTabOrder();
        QWidget* current = window.focusWidget();
        for (const std::string_view name : tabOrder) {
            QCOMPARE(current->objectName().toStdString(), std::string(name));
            do {
                current = current->nextInFocusChain();
            } while (!(current->focusPolicy() & Qt::TabFocus) || !current->isEnabled());
        }
        QCOMPARE(current->objectName().toStdString(), std::string(tabOrder.front()));
    }

    void fileSelection() {
        WindowFixture f;
        ConvForm& window = f.start();
        const std::string summaryBefore = window.settings().SummaryFilePath;
        f.openDialog().cancel();
        f.click("LoadFile(0)");
        const ScriptedDialog::Shown& shown = f.openDialog().shown.back();
        QCOMPARE(shown.DialogTitle, std::string("Netstumbler Summary-Text-File"));
        QCOMPARE(shown.Filter, std::string("Text Files (*.txt)|*.txt|All Files (*.*)|*.*"));
        QCOMPARE(shown.Flags, 2625540);
        QCOMPARE(shown.InitDir, f.folder.path().string());
        QCOMPARE(shown.FileName, std::string("summary.txt"));
        QCOMPARE(window.settings().SummaryFilePath, summaryBefore);
        QCOMPARE(text(f.control<QLabel>("Filename(0)")), summaryBefore);

        f.openDialog().fail(5, "Access denied");
        f.click("LoadFile(1)");
        QCOMPARE(f.openDialog().shown.back().DialogTitle,
                 std::string("Netstumbler Export-Text-File"));
        QCOMPARE(f.messages.shown.back().text,
                 std::string("Error 5 selecting file.\r\nAccess denied"));
        QCOMPARE(f.messages.shown.back().title, std::string("Wavemark"));

        // A stored path without a folder, and one in the root folder.
        window.settings().TextFilePath = "text.txt";
        f.openDialog().cancel();
        f.click("LoadFile(1)");
        QCOMPARE(f.openDialog().shown.back().InitDir, std::string());
        QCOMPARE(f.openDialog().shown.back().FileName, std::string("text.txt"));
        window.settings().TextFilePath = "/text.txt";
        f.control<QLabel>("Filename(0)")->setText("stale");
        f.openDialog().acceptFile(kText);
        f.click("LoadFile(1)");
        QCOMPARE(f.openDialog().shown.back().InitDir, std::string("/"));
        QCOMPARE(text(f.control<QLabel>("Filename(0)")), summaryBefore);
        QCOMPARE(text(f.control<QLabel>("Filename(1)")), kText);
    }

    void fontDialog() {
        WindowFixture f;
        ConvForm& window = f.start();
        const Settings before = window.settings();
        const QFont previewBefore = f.control<QLabel>("FontTest(1)")->font();
        f.fontDialog().cancel();
        f.click("SelectFont");
        QCOMPARE(f.fontDialog().shown.back().DialogTitle, std::string("Select he Waypoint - Font"));
        QCOMPARE(f.fontDialog().shown.back().Flags, 259);
        QVERIFY(window.settings() == before);
        QCOMPARE(f.control<QLabel>("FontTest(1)")->font(), previewBefore);

        for (const auto& [chosen, stored] : {std::pair{10.5, 10}, std::pair{11.5, 12}}) {
            f.fontDialog().accept([size = chosen](CommonDialog& d) {
                d.FontName = "Liberation Serif";
                d.FontSize = size;
                d.FontItalic = true;
                d.FontStrikethru = true;
                d.Color = 0x0000FF00;
            });
            f.click("SelectFont");
            QCOMPARE(window.settings().WPFontSize, int16_t(stored));
            for (const char* name : {"FontTest(0)", "FontTest(1)"}) {
                const QLabel* preview = f.control<QLabel>(name);
                QCOMPARE(preview->font().pointSize(), stored);
                QVERIFY(preview->font().italic() && !preview->font().strikeOut());
                QCOMPARE(preview->palette().color(QPalette::WindowText), QColor(0, 255, 0));
            }
        }
        QCOMPARE(window.settings().WPFontName, std::string("Liberation Serif"));
        QVERIFY(window.settings().WPFontItalic && window.settings().WPFontBold);
    }

    void colorsAndLinePreviews() {
        WindowFixture f;
        ConvForm& window = f.start();
        auto* textBox = f.control<QLabel>("FontTest(0)");
        auto* withIcon = f.control<QLabel>("FontTest(1)");
        const QColor iconBackground = withIcon->palette().color(QPalette::Window);
        f.colorDialog().accept([](CommonDialog& d) { d.Color = 0x00FF0000; });
        f.click("SelectBackground");
        QCOMPARE(window.settings().WPTBoxBackColor, 0x00FF0000);
        QCOMPARE(textBox->palette().color(QPalette::Window), QColor(0, 0, 255));
        QCOMPARE(withIcon->palette().color(QPalette::Window), iconBackground);
        QVERIFY(!withIcon->autoFillBackground());

        auto* wepLine = f.control<LineWidget>("TLineWepTest");
        f.colorDialog().cancel();
        f.click("TrackColorWep");
        QCOMPARE(f.colorDialog().shown.back().DialogTitle, std::string("Color"));
        QCOMPARE(window.settings().TColorWep, 4227072);
        QCOMPARE(wepLine->lineColor(), QColor(0, 128, 64));
        f.colorDialog().accept([](CommonDialog& d) { d.Color = 0x000000FF; });
        f.click("TrackColorNoWep");
        QCOMPARE(window.settings().TColorNoWep, 0x000000FF);
        QCOMPARE(f.control<LineWidget>("TLineNoWepTest")->lineColor(), QColor(255, 0, 0));
        QCOMPARE(wepLine->lineColor(), QColor(0, 128, 64));

        auto* lineList = f.control<QComboBox>("CB_LineWEP");
        lineList->setCurrentIndex(lineList->findText("Thin line"));
        QCOMPARE(wepLine->lineWidth(), 1);
        QCOMPARE(window.settings().TLineWep, int16_t{1});
        lineList->setCurrentIndex(lineList->findText("Thick line"));
        QCOMPARE(wepLine->lineWidth(), 2);
        QCOMPARE(wepLine->lineColor(), QColor(0, 128, 64));

        f.control<QLineEdit>("TBAPFilter")->clear();
        QCOMPARE(window.settings().APFilter, std::string());
    }

private:
    // The whole caption is drawn inside the part of the control that the
    // style leaves for text, at 96 dpi.
    static bool captionFits(const QWidget* widget) {
        QRect inside;
        QString caption;
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            inside = label->contentsRect().adjusted(label->indent(), 0, 0, 0);
            caption = label->text();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = caption = button->text();
            const bool checkBox = qobject_cast<const QCheckBox*>(button) != nullptr;
            inside = button->style()->subElementRect(checkBox ? QStyle::SE_CheckBoxContents
                                                              : QStyle::SE_PushButtonContents,
                                                     &option, button);
        }
        const QFontMetrics metrics(widget->font());
        return caption.isEmpty() || (metrics.horizontalAdvance(caption) <= inside.width() &&
                                     metrics.height() <= inside.height());
    }
};

QTEST_MAIN(ConvFormTest)
#include "ConvFormTest.moc"
