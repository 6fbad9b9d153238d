#include "UnreadableFiles.h"

#include <cerrno>

namespace wavemark::test {

const int kThroughAFileError = ENOENT;

// NUL is the device that reads as empty for ever.
std::vector<UnreadableFile> UnreadableFiles(const TempFolder& folder) {
    return {{folder.file("no such file.txt"), ENOENT, "No such file or directory"},
            {folder.path().string(), EISDIR, "Is a directory"},
            {"NUL", EINVAL, "Is not a regular file"}};
}

} // namespace wavemark::test
