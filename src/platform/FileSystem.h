#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The few file services that differ between systems, behind one interface:
// platform/FileSystemPosix.cpp and platform/FileSystemWindows.cpp implement
// it, and the build takes the one of its target. Failures return the errno
// value (0 on success), so that every caller reports them alike.
namespace wavemark::platform {

// The name under which an input is the standard input.
inline constexpr std::string_view kStandardInput = "-";

// Opens a regular file or a pipe (a FIFO, or kStandardInput) for reading
// and gives its size (0 for a pipe). Never waits: a FIFO without a writer
// reads as empty. A folder gives EISDIR, anything else that is not a
// regular file (a device, a socket) EINVAL.
int OpenRegularFile(const std::string& path, int& fd, uint64_t& size);
// Reads up to `size` bytes; `got` is 0 at the end of the file.
int ReadSome(int fd, char* buffer, size_t size, size_t& got);
int CloseFile(int fd);

// What a path names, its links followed.
enum class FileKind { Missing, Regular, Folder, Device, Pipe, Socket, Other };
struct FileFacts {
    FileKind kind = FileKind::Missing;
    bool readOnly = false; // nobody may write it, or this process may not
    // Together they tell the file under any of its names.
    uint64_t device = 0;
    uint64_t inode = 0;
};
// A path that leads nowhere gives FileKind::Missing and 0.
int Inspect(const std::string& path, FileFacts& facts);
// The same for an input, where kStandardInput names what the standard input
// reads from.
int InspectInput(const std::string& path, FileFacts& facts);

// The path that a chain of symbolic links at `path` ends in (the path itself
// when it is no link), so that a file is replaced where the links lead and
// the links stay; ELOOP for a chain without end.
int FollowLinks(const std::string& path, std::string& target);

// A file being written to replace `target`, in the target's folder. Where
// the system offers unnamed files, it has no name (empty `name`) until
// GiveName(), so that a killed run leaves nothing behind.
struct TempFile {
    int fd = -1;
    std::string name;
    uint64_t written = 0;
};
int CreateTempFile(const std::string& target, TempFile& file);
// Writes all of `bytes`; a write past the process's file size limit fails
// with EFBIG instead of stopping the process.
int WriteAll(TempFile& file, std::string_view bytes);
// Gives the file the target's access rights, and its owner and group as far
// as the system allows, and puts it on disk, then gives it a (hidden) name if
// it has none, and closes it.
int Finish(TempFile& file, const std::string& target);
// Moves a finished file over the target, replacing it in one step.
int Replace(TempFile& file, const std::string& target);
// Closes and removes a file that is not to be kept.
void Discard(TempFile& file);

// From now on SIGINT, SIGTERM and SIGHUP remove the named temporary files
// being written before they end the process as they would have.
void RemoveTempFilesOnSignals();

// Memory taken straight from the system, which free gives straight back
// (the C heap may keep freed blocks for later): nullptr when there is none.
void* AllocatePages(size_t size);
void FreePages(void* pages, size_t size);
// Makes pages of AllocatePages() present before they are written, where
// the system can: one call instead of a fault per page.
void PopulatePages(void* pages, size_t size);

// The folder of the running program.
std::string ExecutableFolder();

} // namespace wavemark::platform
