#include "ui/QtShell.h"
#include "ui/LocalText.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace wavemark {
bool QtShell::openAddress(const std::string& address) {
    return QDesktopServices::openUrl(QUrl(FromLocal(address)));
}

// The desktop opens documents by URL, so the name is made absolute in its
// working folder first. A missing file is refused here: the desktop's opener
// would report it only in a window of its own, if at all.
bool QtShell::openDocument(const std::string& file, const std::string& workingFolder) {
    const QDir folder(workingFolder.empty() ? QDir::currentPath() : FromLocal(workingFolder));
    const QFileInfo document(folder, FromLocal(file));
    return document.isFile() &&
           QDesktopServices::openUrl(QUrl::fromLocalFile(document.absoluteFilePath()));
}

bool QtShell::startProgram(const std::string& path) {
    return QProcess::startDetached(FromLocal(path), {});
}

} // namespace wavemark
