#pragma once

#include "TempFolder.h"

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

// What this system offers to refuse: a missing file, a folder, and a device
// that never ends (UnreadableFilesPosix.cpp, UnreadableFilesWindows.cpp).
std::vector<UnreadableFile> UnreadableFiles(const TempFolder& folder);

// The errno of a path that runs through a regular file as if it were a
// folder ("plain/t.ini" where "plain" is a file).
extern const int kThroughAFileError;

} // namespace wavemark::test
