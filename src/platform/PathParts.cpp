#include "platform/PathParts.h"

#include "platform/PathSeparator.h"

namespace wavemark {

PathParts SplitPath(const std::string& path) {
    const size_t separator = path.rfind(kPathSeparator);
    if (separator == std::string::npos) {
        return {"", path};
    }
    std::string folder =
        separator == 0 ? std::string(1, kPathSeparator) : path.substr(0, separator);
    return {std::move(folder), path.substr(separator + 1)};
}

PathParts SplitForShell(const std::string& path) {
    PathParts parts = SplitPath(path);
    while (parts.folder.size() > 1 && parts.folder.back() == kPathSeparator) {
        parts.folder.pop_back();
    }
    return parts;
}

} // namespace wavemark
