#include "ui/ConvForm.h"
#include "ui/QtCommonDialog.h"
#include "ui/QtMessageBox.h"
#include "ui/QtShell.h"
#include "ui/WindowFonts.h"

#include <QApplication>
#include <QStandardPaths>
#include <QStyleFactory>

#include <cstring>
#include <iostream>

using namespace wavemark;

int main(int argc, char* argv[]) {
    // Answered before Qt looks for a display, so it works on any terminal.
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "wavemark " << WAVEMARK_VERSION << '\n';
        return 0;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wavemark"));
    // One style everywhere, so that the fixed layout looks as designed.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    InstallWindowFonts();

    QtMessageBox messages;
    QtShell shell;
    const WindowFolders folders{
        QApplication::applicationDirPath().toLocal8Bit().toStdString(),
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
            .toLocal8Bit()
            .toStdString(),
        (QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + "/tiles")
            .toLocal8Bit()
            .toStdString(),
    };
    ConvForm window(folders,
                    {[](QWidget* parent) { return std::make_unique<QtCommonDialog>(parent); },
                     &messages, &shell});
    messages.setParent(&window);
    window.show();
    return QApplication::exec();
}
