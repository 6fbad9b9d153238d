#pragma once

#include <string>

namespace wavemark {

struct PathParts {
    std::string folder;
    std::string file;

    bool operator==(const PathParts&) const = default;
};

// A stored input path as the open dialog gets it: the folder without its
// final separator and the name after it. A path without a separator has no
// folder and is all file name.
PathParts SplitForOpenDialog(const std::string& path);

// A document path as the shell gets it: like SplitForOpenDialog, but every
// separator at the end of the folder goes.
PathParts SplitForShell(const std::string& path);

} // namespace wavemark
