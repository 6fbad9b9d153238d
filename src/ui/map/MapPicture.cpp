#include "ui/map/MapPicture.h"

#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

namespace wavemark {

QString WriteMapPicture(const QImage& picture, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    QImageWriter writer(&file, "png");
    if (!writer.write(picture)) {
        file.cancelWriting();
        return writer.errorString();
    }
    if (!file.commit()) {
        return file.errorString();
    }
    return {};
}

std::string MapPictureErrorText(const std::string& path, const QString& reason) {
    return "The picture could not be written:\r\n" + path + "\r\n" + reason.toStdString();
}

} // namespace wavemark
