#pragma once

#include <QString>

#include <string>

class QImage;

namespace wavemark {

// Writes a picture of the map as PNG, whatever the name ends in, through a
// temporary file in the target's folder renamed over it once complete, so a
// failed write leaves a file already there as it was. Returns the reason
// of a failure, empty when the picture was written.
QString WriteMapPicture(const QImage& picture, const QString& path);

// The message a failed write shows: what failed, the file, and why.
std::string MapPictureErrorText(const std::string& path, const QString& reason);

} // namespace wavemark
