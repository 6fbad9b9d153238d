#include "UnreadableFiles.h"

#include <cerrno>

namespace wavemark::test {

const int kThroughAFileError = ENOTDIR;

std::vector<UnreadableFile> UnreadableFiles(const TempFolder& folder) {
    return {{folder.file("no such file.txt"), ENOENT, "No such file or directory"},
            {folder.path().string(), EISDIR, "Is a directory"},
            {"/dev/zero", EINVAL, "Is not a regular file"}};
}

} // namespace wavemark::test
