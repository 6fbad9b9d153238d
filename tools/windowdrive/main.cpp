// Drives the real main window without a person: converts a survey by
// clicking "Convert Data", prints how long the click took and the counters,
// and optionally saves a picture of the window. The benchmark and the README
// screenshot use it under the offscreen platform.
//
// usage: wavemark-windowdrive SUMMARY TEXT [--screenshot FILE.png]

#include "ConvForm.h"
#include "QtCommonDialog.h"
#include "Shell.h"
#include "WindowFonts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
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

class NoShell : public Shell {
public:
    bool openAddress(const std::string&) override { return false; }
    bool openDocument(const std::string&, const std::string&) override { return false; }
    bool startProgram(const std::string&) override { return false; }
};

// A settings file that names the two exports; every other key keeps its
// first-start default.
bool writeSettings(const QString& path, const QString& summary, const QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray ini = "[InputPath]\r\nInputSummaryFile=" + summary.toLocal8Bit() +
                           "\r\nInputTextFile=" + text.toLocal8Bit() + "\r\n";
    return file.write(ini) == ini.size();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList args = QApplication::arguments().mid(1);
    if (args.size() != 2 && !(args.size() == 4 && args[2] == "--screenshot")) {
        std::cerr << "usage: wavemark-windowdrive SUMMARY TEXT [--screenshot FILE.png]\n";
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
    ConvForm window({folder, folder},
                    {[](QWidget* parent) { return std::make_unique<QtCommonDialog>(parent); },
                     &messages, &shell});
    window.show();
    QApplication::processEvents();

    QElapsedTimer clock;
    clock.start();
    window.findChild<QPushButton*>("Convert")->click();
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;

    std::printf("window convert: %.3f s\n", seconds);
    for (int index = 0; index < 7; ++index) {
        const auto* label = window.findChild<QLabel*>(QStringLiteral("Label1(%1)").arg(index));
        std::printf("%s\n", label->text().toLocal8Bit().constData());
    }
    if (args.size() == 4 && !window.grab().save(args[3])) {
        std::cerr << "wavemark-windowdrive: cannot write " << args[3].toStdString() << '\n';
        return 1;
    }
    return messages.shown == 0 ? 0 : 1;
}
