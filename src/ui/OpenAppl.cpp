#include "platform/PathParts.h"
#include "ui/Shell.h"

namespace wavemark {

bool OpenAppl(Shell& shell, const std::string& path) {
    const PathParts parts = SplitForShell(path);
    return shell.openDocument(parts.file, parts.folder) || shell.startProgram(path);
}

} // namespace wavemark
