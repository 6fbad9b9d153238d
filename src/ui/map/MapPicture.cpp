#include "ui/map/MapPicture.h"

#include "platform/AtomicFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>

#include <cstring>
#include <string_view>

namespace wavemark {

std::string WriteMapPicture(const QImage& picture, const std::string& path) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(picture)) {
        return writer.errorString().toStdString();
    }
    if (const int error =
            WriteFileAtomically(path, std::string_view(png.constData(), png.size()))) {
        return std::strerror(error);
    }
    return {};
}

std::string MapPictureErrorText(const std::string& path, const std::string& reason) {
    return "The picture could not be written:\r\n" + path + "\r\n" + reason;
}

} // namespace wavemark
