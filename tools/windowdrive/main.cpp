// Drives the real main window without a person: converts a survey by
// clicking "Convert Data" and, with -o, saves it by clicking "Save GTM-File"
// (the save dialog answers with that file); prints how long the clicks took
// and the counters, and optionally saves a picture of the window or of the
// map window (without tiles: it runs where no tile server can be reached).
// With --select it puts a text into the map's search field and presses
// Enter, and with --map-picture it then writes the map through its "Save
// picture..." button. With --map-bench it opens the map and times its
// redraw at every zoom level from the whole survey inwards. The benchmark
// and the README pictures use it under the offscreen platform.
//
// usage: wavemark-windowdrive SUMMARY TEXT [-o FILE.gtm] [--screenshot FILE.png]
//                             [--map-screenshot FILE.png] [--select TEXT]
//                             [--map-picture FILE.png] [--map-bench]

#include "MapBench.h"
#include "ui/ConvForm.h"
#include "ui/Shell.h"
#include "ui/WindowFonts.h"
#include "ui/map/MapCanvas.h"
#include "ui/map/MapForm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleFactory>
#include <QTemporaryDir>

#include <cstdio>
#include <iostream>

using namespace wavemark;

namespace {

// Message boxes go to the error stream and are answered "No".
class ConsoleMessages : public MessageBoxService {
public:
    MessageAnswer showMessage(const std::string& text, MessageButtons buttons, MessageIcon,
                              const std::string& title) override {
        std::cerr << title << ": " << text << '\n';
        ++shown;
        return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
    int shown = 0;
};

// Every dialog is cancelled but the save dialogs, which choose `path` as it
// is when they are shown.
class PresetDialog : public CommonDialog {
public:
    explicit PresetDialog(const QString& path) : m_path(path) {}

    DialogResult ShowSave() override {
        FileName = m_path.toLocal8Bit().toStdString();
        return {};
    }
    DialogResult ShowOpen() override { return cancelled(); }
    DialogResult ShowColor() override { return cancelled(); }
    DialogResult ShowFont() override { return cancelled(); }

private:
    static DialogResult cancelled() { return {DialogResult::Outcome::Cancelled, 0, {}}; }
    const QString& m_path;
};

class NoShell : public Shell {
public:
    bool openAddress(const std::string&) override { return false; }
    bool openDocument(const std::string&, const std::string&) override { return false; }
    bool startProgram(const std::string&) override { return false; }
};

// A settings file that names the two exports and turns the map's tiles off;
// every other key keeps its first-start default.
bool writeSettings(const QString& path, const QString& summary, const QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray ini = "[InputPath]\r\nInputSummaryFile=" + summary.toLocal8Bit() +
                           "\r\nInputTextFile=" + text.toLocal8Bit() +
                           "\r\n[Map]\r\nTileUrl=\r\nWidth=900\r\nHeight=640\r\n";
    return file.write(ini) == ini.size();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QStringList args = QApplication::arguments().mid(1);
    QString output;
    QString screenshot;
    QString mapScreenshot;
    QString select;
    QString mapPicture;
    const bool mapBench = args.removeAll(QStringLiteral("--map-bench")) > 0;
    for (const auto& [option, value] : {std::pair{"-o", &output},
                                        {"--screenshot", &screenshot},
                                        {"--map-screenshot", &mapScreenshot},
                                        {"--select", &select},
                                        {"--map-picture", &mapPicture}}) {
        const qsizetype at = args.indexOf(option);
        if (at >= 0 && at + 1 < args.size()) {
            *value = args.takeAt(at + 1);
            args.removeAt(at);
        }
    }
    if (args.size() != 2) {
        std::cerr << "usage: wavemark-windowdrive SUMMARY TEXT [-o FILE.gtm] [--screenshot "
                     "FILE.png] [--map-screenshot FILE.png] [--select TEXT] [--map-picture "
                     "FILE.png] [--map-bench]\n";
        return 2;
    }
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    InstallWindowFonts();

    QTemporaryDir programFolder;
    if (!programFolder.isValid() ||
        !writeSettings(programFolder.filePath("Wavemark.ini"), args[0], args[1])) {
        std::cerr << "wavemark-windowdrive: cannot prepare a program folder\n";
        return 1;
    }
    ConsoleMessages messages;
    NoShell shell;
    const std::string folder = programFolder.path().toLocal8Bit().toStdString();
    QString saveAs = output;
    ConvForm window({folder, folder, folder + "/tiles"},
                    {[&saveAs](QWidget*) { return std::make_unique<PresetDialog>(saveAs); },
                     &messages, &shell});
    window.show();
    QApplication::processEvents();

    const auto timedClick = [&window](const char* button) {
        QElapsedTimer clock;
        clock.start();
        window.findChild<QPushButton*>(button)->click();
        return static_cast<double>(clock.nsecsElapsed()) / 1e9;
    };
    std::printf("window convert: %.3f s\n", timedClick("Convert"));
    if (!output.isEmpty()) {
        std::printf("window save: %.3f s\n", timedClick("Command1"));
    }
    for (int index = 0; index < 7; ++index) {
        const auto* label = window.findChild<QLabel*>(QStringLiteral("Label1(%1)").arg(index));
        std::printf("%s\n", label->text().toLocal8Bit().constData());
    }
    if (!screenshot.isEmpty() && !window.grab().save(screenshot)) {
        std::cerr << "wavemark-windowdrive: cannot write " << screenshot.toStdString() << '\n';
        return 1;
    }
    if (!mapScreenshot.isEmpty() || !select.isEmpty() || !mapPicture.isEmpty() || mapBench) {
        window.showMap();
        QApplication::processEvents();
    }
    if (!mapScreenshot.isEmpty() && !window.mapForm()->grab().save(mapScreenshot)) {
        std::cerr << "wavemark-windowdrive: cannot write " << mapScreenshot.toStdString() << '\n';
        return 1;
    }
    if (!select.isEmpty()) {
        auto* search = window.mapForm()->findChild<QLineEdit*>(QStringLiteral("ED_Search"));
        search->setText(select);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(search, &enter);
    }
    if (!mapPicture.isEmpty()) {
        saveAs = mapPicture;
        window.mapForm()->findChild<QPushButton*>(QStringLiteral("CMD_SavePicture"))->click();
    }
    if (mapBench) {
        PrintMapBench(*window.mapForm()->canvas(), window.conversionData());
    }
    return messages.shown == 0 ? 0 : 1;
}
