#pragma once

#include <string>

namespace wavemark {

struct PathParts {
    std::string folder;
    std::string file;

    bool operator==(const PathParts&) const = default;
};

// The folder without its final separator and the name after the last
// separator. The root keeps its separator, as an empty folder would mean the
// current one; a path without a separator has no folder and is all file name.
PathParts SplitPath(const std::string& path);

// A document path as the shell gets it: like SplitPath, but every separator
// at the end of the folder goes.
PathParts SplitForShell(const std::string& path);

} // namespace wavemark
