#pragma once

#include <string>

class QImage;

namespace wavemark {

// Writes a picture of the map as PNG, whatever the name ends in, through
// AtomicFile, so a failed write leaves a file already there as it was.
// Returns the reason of a failure, empty when the picture was written.
std::string WriteMapPicture(const QImage& picture, const std::string& path);

// The message a failed write shows: what failed, the file, and why.
std::string MapPictureErrorText(const std::string& path, const std::string& reason);

} // namespace wavemark
