#pragma once

#include "TempFolder.h"

#include <cerrno>
#include <string>
#include <vector>

namespace wavemark::test {

// A path the loader must refuse, with the errno it gives and the text the
// user reads for it.
struct UnreadableFile {
    std::string path;
    int error;
    std::string text;
};

// The errno of a path that runs through a regular file as if it were a
// folder ("plain/t.ini" where "plain" is a file), and a device that reads as
// empty for ever.
#ifdef _WIN32
inline constexpr int kThroughAFileError = ENOENT;
inline constexpr const char* kEndlessDevice = "NUL";
#else
inline constexpr int kThroughAFileError = ENOTDIR;
inline constexpr const char* kEndlessDevice = "/dev/zero";
#endif

inline std::vector<UnreadableFile> UnreadableFiles(const TempFolder& folder) {
    return {{folder.file("no such file.txt"), ENOENT, "No such file or directory"},
            {folder.path().string(), EISDIR, "Is a directory"},
            {kEndlessDevice, EINVAL, "Is not a regular file"}};
}

} // namespace wavemark::test
