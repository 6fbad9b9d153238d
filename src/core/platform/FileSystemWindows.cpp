#include "FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <io.h>
#include <random>
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
    fd = ::_open(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    if (fd < 0) {
        return errno;
    }
    int error = 0;
    if (::_fstat64(fd, &st) != 0) {
        error = errno;
    } else if ((st.st_mode & _S_IFMT) != _S_IFREG) {
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

int CreateTempFile(const std::string& target, TempFile& file) {
    file = TempFile{};
    // Windows takes "/" as a separator too.
    const auto separator = target.find_last_of("\\/");
    const std::string folder =
        separator == std::string::npos ? "" : target.substr(0, separator + 1);
    const std::string base = separator == std::string::npos ? target : target.substr(separator + 1);
    std::random_device seed;
    std::minstd_rand random(seed());
    const char* alphabet = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = folder + "." + base + ".";
        for (int i = 0; i < 6; ++i) {
            name += alphabet[random() % 36];
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

int Replace(const std::string& from, const std::string& to) {
    if (::MoveFileExA(from.c_str(), to.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
        return 0;
    }
    return errnoOfWindowsError(::GetLastError());
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

void* AllocatePages(size_t size) {
    return ::VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void FreePages(void* pages, size_t /*size*/) {
    ::VirtualFree(pages, 0, MEM_RELEASE);
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
    const auto separator = path.rfind('\\');
    return separator == std::string::npos ? std::string(".") : path.substr(0, separator);
}

} // namespace wavemark::platform
