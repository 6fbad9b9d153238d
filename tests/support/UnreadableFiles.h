#pragma once

#include "TempFolder.h"

#include <string>
#include <vector>

namespace wavemark::test {

// A path the loader must refuse, with the errno it gives and that code's
// text as the system words it.
struct UnreadableFile {
    std::string path;
    int error;
    std::string text;
};

// What this system offers to refuse: a missing file, a folder, and the
// special files that never end or never answer (UnreadableFilesPosix.cpp,
// UnreadableFilesWindows.cpp). Special files are made inside `folder`.
std::vector<UnreadableFile> UnreadableFiles(const TempFolder& folder);

// The errno of a path that runs through a regular file as if it were a
// folder ("plain/t.ini" where "plain" is a file).
extern const int kThroughAFileError;

} // namespace wavemark::test
