#include "platform/OutputTarget.h"

#include "platform/FileSystem.h"

namespace wavemark {
namespace {

using platform::FileKind;

bool sameFile(const platform::FileFacts& a, const platform::FileFacts& b) {
    return a.inode != 0 && a.device == b.device && a.inode == b.inode;
}

std::string kindReason(FileKind kind) {
    switch (kind) {
    case FileKind::Missing:
    case FileKind::Regular:
        return "";
    case FileKind::Folder:
        return "Is a folder";
    case FileKind::Device:
        return "Is a device";
    case FileKind::Pipe:
        return "Is a named pipe";
    case FileKind::Socket:
        return "Is a socket";
    case FileKind::Other:
        break;
    }
    return "Is not a regular file";
}

} // namespace

std::string RefuseOutput(const std::string& output, std::span<const InputFile> inputs) {
    platform::FileFacts target;
    // What cannot be looked at is left to the write, which says why it fails.
    if (platform::Inspect(output, target) != 0 || target.kind == FileKind::Missing) {
        return "";
    }
    for (const InputFile& input : inputs) {
        platform::FileFacts read;
        if (platform::InspectInput(input.path, read) == 0 && sameFile(target, read)) {
            return "Is the same file as the " + std::string(input.role);
        }
    }
    if (std::string reason = kindReason(target.kind); !reason.empty()) {
        return reason;
    }
    return target.readOnly ? "Is read-only" : "";
}

} // namespace wavemark
