#include "FileSystem.h"

#include "PathSeparator.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <span>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wavemark::platform {
namespace {

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind(kPathSeparator);
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// ".NAME.XXXXXX" beside the target.
std::string hiddenPattern(const std::string& target) {
    const auto slash = target.rfind(kPathSeparator);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    const std::string folder = folderOf(target);
    return folder + (folder.ends_with(kPathSeparator) ? "" : std::string(1, kPathSeparator)) + "." +
           base + ".XXXXXX";
}

// The mode a new file would get, or the existing target's, so that replacing
// a file does not change who may read it.
mode_t modeForTarget(const std::string& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        return st.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Whether a file grown to `end` bytes passes RLIMIT_FSIZE; the system would
// stop the process with SIGXFSZ on such a write.
bool passesSizeLimit(uint64_t end) {
    struct rlimit limit {};
    return ::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
           end > limit.rlim_cur;
}

// An unnamed file is linked under a hidden name for the rename; linkat()
// cannot replace an existing file itself.
int linkUnderHiddenName(TempFile& file, const std::string& target) {
    const std::string self = "/proc/self/fd/" + std::to_string(file.fd);
    std::random_device seed;
    std::minstd_rand random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = hiddenPattern(target);
        const char* alphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        for (char& c : std::span(name).last(6)) {
            c = alphabet[random() % 62];
        }
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            file.name = std::move(name);
            return 0;
        }
        if (errno != EEXIST) {
            return errno;
        }
    }
    return EEXIST;
}

} // namespace

int OpenRegularFile(const std::string& path, int& fd, uint64_t& size) {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return errno;
    }
    struct stat st {};
    int error = 0;
    if (::fstat(fd, &st) != 0) {
        error = errno;
    } else if (S_ISDIR(st.st_mode)) {
        error = EISDIR;
    } else if (!S_ISREG(st.st_mode)) {
        // A device or a pipe may never end (/dev/zero) or never answer.
        error = EINVAL;
    }
    if (error != 0) {
        ::close(fd);
        fd = -1;
        return error;
    }
    size = static_cast<uint64_t>(st.st_size);
    return 0;
}

int ReadSome(int fd, char* buffer, size_t size, size_t& got) {
    for (;;) {
        const ssize_t count = ::read(fd, buffer, size);
        if (count >= 0) {
            got = static_cast<size_t>(count);
            return 0;
        }
        if (errno != EINTR) {
            return errno;
        }
    }
}

int CloseFile(int fd) {
    return ::close(fd) == 0 ? 0 : errno;
}

int CreateTempFile(const std::string& target, TempFile& file) {
    file = TempFile{};
#ifdef O_TMPFILE
    file.fd = ::open(folderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (file.fd >= 0) {
        return 0;
    }
#endif
    // No unnamed files here (an older kernel or a file system without them).
    std::string pattern = hiddenPattern(target);
    file.fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (file.fd < 0) {
        return errno;
    }
    file.name = std::move(pattern);
    return 0;
}

int WriteAll(TempFile& file, std::string_view bytes) {
    if (passesSizeLimit(file.written + bytes.size())) {
        return EFBIG;
    }
    while (!bytes.empty()) {
        const ssize_t written = ::write(file.fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
        file.written += static_cast<uint64_t>(written);
    }
    return 0;
}

int Finish(TempFile& file, const std::string& target) {
    if (::fchmod(file.fd, modeForTarget(target)) != 0 || ::fsync(file.fd) != 0) {
        return errno;
    }
    if (file.name.empty()) {
        if (const int error = linkUnderHiddenName(file, target)) {
            return error;
        }
    }
    const int fd = file.fd;
    file.fd = -1;
    return CloseFile(fd);
}

int Replace(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

void Discard(TempFile& file) {
    if (file.fd >= 0) {
        ::close(file.fd);
        file.fd = -1;
    }
    if (!file.name.empty()) {
        ::unlink(file.name.c_str());
        file.name.clear();
    }
}

void* AllocatePages(size_t size) {
    void* pages = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return pages == MAP_FAILED ? nullptr : pages;
}

void FreePages(void* pages, size_t size) {
    ::munmap(pages, size);
}

std::string ExecutableFolder() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : exe.parent_path().string();
}

} // namespace wavemark::platform
