#include "platform/FileSystem.h"

#include "platform/PathParts.h"
#include "platform/TempFileName.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <io.h>
#include <random>
#include <span>
#include <sys/stat.h>
#include <windows.h>

// Windows has no unnamed files and no file size limit, and rename() does not
// replace an existing file: the temporary file is a hidden named one from the
// start, and MoveFileEx replaces the target.
namespace wavemark::platform {
namespace {

int errnoOfWindowsError(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    default:
        return EIO;
    }
}

} // namespace

int OpenRegularFile(const std::string& path, int& fd, uint64_t& size) {
    struct _stat64 st {};
    if (::_stat64(path.c_str(), &st) == 0 && (st.st_mode & _S_IFMT) == _S_IFDIR) {
        return EISDIR;
    }
    if (path == kStandardInput) {
        fd = ::_dup(0);
        if (fd >= 0) {
            ::_setmode(fd, _O_BINARY);
        }
    } else {
        fd = ::_open(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    }
    if (fd < 0) {
        return errno;
    }
    int error = 0;
    if (::_fstat64(fd, &st) != 0) {
        error = errno;
    } else if ((st.st_mode & _S_IFMT) != _S_IFREG && (st.st_mode & _S_IFMT) != _S_IFIFO) {
        // A device such as NUL or CON may never end or never answer.
        error = EINVAL;
    }
    if (error != 0) {
        ::_close(fd);
        fd = -1;
        return error;
    }
    size = static_cast<uint64_t>(st.st_size);
    return 0;
}

int ReadSome(int fd, char* buffer, size_t size, size_t& got) {
    const int count = ::_read(fd, buffer, static_cast<unsigned>(std::min<size_t>(size, INT_MAX)));
    if (count < 0) {
        return errno;
    }
    got = static_cast<size_t>(count);
    return 0;
}

int CloseFile(int fd) {
    return ::_close(fd) == 0 ? 0 : errno;
}

namespace {

FileKind kindOf(unsigned mode) {
    switch (mode & _S_IFMT) {
    case _S_IFREG:
        return FileKind::Regular;
    case _S_IFDIR:
        return FileKind::Folder;
    case _S_IFCHR:
        return FileKind::Device;
    case _S_IFIFO:
        return FileKind::Pipe;
    default:
        return FileKind::Other;
    }
}

// `path` is not looked at when `standardInput` is set.
int inspect(const std::string& path, bool standardInput, FileFacts& facts) {
    facts = FileFacts{};
    struct _stat64 st {};
    const int result = standardInput ? ::_fstat64(0, &st) : ::_stat64(path.c_str(), &st);
    if (result != 0) {
        return errno == ENOENT ? 0 : errno;
    }
    facts.kind = kindOf(st.st_mode);
    facts.readOnly = (st.st_mode & _S_IWRITE) == 0;
    // The volume and the file's index tell a file under any of its names.
    const bool own = !standardInput;
    const HANDLE handle =
        own ? ::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)
            : reinterpret_cast<HANDLE>(::_get_osfhandle(0));
    BY_HANDLE_FILE_INFORMATION info{};
    if (handle != INVALID_HANDLE_VALUE && ::GetFileInformationByHandle(handle, &info) != 0) {
        facts.device = info.dwVolumeSerialNumber;
        facts.inode = uint64_t{info.nFileIndexHigh} << 32 | info.nFileIndexLow;
    }
    if (own && handle != INVALID_HANDLE_VALUE) {
        ::CloseHandle(handle);
    }
    return 0;
}

} // namespace

int Inspect(const std::string& path, FileFacts& facts) {
    return inspect(path, false, facts);
}

int InspectInput(const std::string& path, FileFacts& facts) {
    return inspect(path, path == kStandardInput, facts);
}

// Links are rare on Windows and need rights to make: a path is taken as the
// file it names.
int FollowLinks(const std::string& path, std::string& target) {
    target = path;
    return 0;
}

int CreateTempFile(const std::string& target, TempFile& file) {
    file = TempFile{};
    std::random_device seed;
    std::minstd_rand random(seed());
    const char* alphabet = "abcdefghijklmnopqrstuvwxyz0123456789";
    // NTFS, FAT32 and exFAT allow names of 255 characters.
    const std::string pattern = TempFilePattern(target, 255);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = pattern;
        for (char& c : std::span(name).last(6)) {
            c = alphabet[random() % 36];
        }
        file.fd = ::_open(name.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY | _O_NOINHERIT,
                          _S_IREAD | _S_IWRITE);
        if (file.fd >= 0) {
            file.name = std::move(name);
            return 0;
        }
        if (errno != EEXIST) {
            return errno;
        }
    }
    return EEXIST;
}

int WriteAll(TempFile& file, std::string_view bytes) {
    while (!bytes.empty()) {
        const unsigned chunk = static_cast<unsigned>(std::min<size_t>(bytes.size(), INT_MAX));
        const int written = ::_write(file.fd, bytes.data(), chunk);
        if (written < 0) {
            return errno;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
        file.written += static_cast<uint64_t>(written);
    }
    return 0;
}

int Finish(TempFile& file, const std::string&) {
    if (::_commit(file.fd) != 0) {
        return errno;
    }
    const int fd = file.fd;
    file.fd = -1;
    return CloseFile(fd);
}

int Replace(TempFile& file, const std::string& target) {
    if (::MoveFileExA(file.name.c_str(), target.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
        return errnoOfWindowsError(::GetLastError());
    }
    file.name.clear();
    return 0;
}

void Discard(TempFile& file) {
    if (file.fd >= 0) {
        ::_close(file.fd);
        file.fd = -1;
    }
    if (!file.name.empty()) {
        ::_unlink(file.name.c_str());
        file.name.clear();
    }
}

// A console program stopped with Ctrl+C on Windows ends while its main
// thread still holds the file open, so the file could not be removed then;
// a stopped run leaves the hidden temporary file, as the README says.
void RemoveTempFilesOnSignals() {}

void* AllocatePages(size_t size) {
    return ::VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void FreePages(void* pages, size_t /*size*/) {
    ::VirtualFree(pages, 0, MEM_RELEASE);
}

void PopulatePages(void* /*pages*/, size_t /*size*/) {
    // VirtualAlloc's committed pages come as they are written.
}

std::string ExecutableFolder() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return ".";
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    std::string folder = SplitPath(path).folder;
    return folder.empty() ? "." : folder;
}

} // namespace wavemark::platform
