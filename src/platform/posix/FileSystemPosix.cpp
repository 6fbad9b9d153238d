#include "platform/FileSystem.h"

#include "platform/PathParts.h"
#include "platform/PathSeparator.h"
#include "platform/TempFileName.h"
#include "platform/TempFileRegistry.h"

#include <cerrno>
#include <climits>
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
    std::string folder = SplitPath(path).folder;
    return folder.empty() ? "." : folder;
}

// ".NAME.wavemark-XXXXXX" beside the target, as long as its folder allows.
std::string hiddenPattern(const std::string& target) {
    const long limit = ::pathconf(folderOf(target).c_str(), _PC_NAME_MAX);
    return TempFilePattern(target, limit > 0 ? static_cast<size_t>(limit) : NAME_MAX);
}

FileKind kindOf(mode_t mode) {
    if (S_ISREG(mode)) {
        return FileKind::Regular;
    }
    if (S_ISDIR(mode)) {
        return FileKind::Folder;
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return FileKind::Device;
    }
    if (S_ISFIFO(mode)) {
        return FileKind::Pipe;
    }
    return S_ISSOCK(mode) ? FileKind::Socket : FileKind::Other;
}

void factsOf(const struct stat& st, FileFacts& facts) {
    facts.kind = kindOf(st.st_mode);
    facts.readOnly = (st.st_mode & 0222) == 0;
    facts.device = static_cast<uint64_t>(st.st_dev);
    facts.inode = static_cast<uint64_t>(st.st_ino);
}

// The replaced file's owner, group and mode, or the mode a new file would
// get, so that replacing a file changes neither whose it is nor who may read
// it. Only root may give a file away, but anyone may give it a group they are
// in; what the system refuses is left as for a new file rather than failing
// the write. The owner goes first, as chown may clear setuid and setgid bits.
int giveTargetsRights(int fd, const std::string& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return ::fchmod(fd, 0666 & ~mask) == 0 ? 0 : errno;
    }
    static_cast<void>(::fchown(fd, st.st_uid, st.st_gid) == 0 ||
                      ::fchown(fd, static_cast<uid_t>(-1), st.st_gid) == 0);
    return ::fchmod(fd, st.st_mode & 07777) == 0 ? 0 : errno;
}

// Whether a file grown to `end` bytes would exceed RLIMIT_FSIZE; the system
// would stop the process with SIGXFSZ on such a write.
bool exceedsSizeLimit(uint64_t end) {
    struct rlimit limit {};
    return ::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
           end > limit.rlim_cur;
}

// An unnamed file is linked under a hidden name for the rename; linkat()
// cannot replace an existing file itself.
int linkUnderHiddenName(TempFile& file, const std::string& target) {
    const std::string self = "/proc/self/fd/" + std::to_string(file.fd);
    const std::string pattern = hiddenPattern(target);
    std::random_device seed;
    std::minstd_rand random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = pattern;
        const char* alphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        for (char& c : std::span(name).last(6)) {
            c = alphabet[random() % 62];
        }
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            RememberTempFile(name);
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
    fd = path == kStandardInput ? ::fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 0)
                                : ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return errno;
    }
    struct stat st {};
    int error = 0;
    if (::fstat(fd, &st) != 0) {
        error = errno;
    } else if (S_ISDIR(st.st_mode)) {
        error = EISDIR;
    } else if (S_ISFIFO(st.st_mode)) {
        // Opened without waiting for a writer; from here on reads wait for
        // what the writer sends, and a pipe without one reads as empty.
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
            error = errno;
        }
    } else if (!S_ISREG(st.st_mode)) {
        // A device may never end (/dev/zero) or never answer.
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

int Inspect(const std::string& path, FileFacts& facts) {
    facts = FileFacts{};
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return errno == ENOENT || errno == ENOTDIR ? 0 : errno;
    }
    factsOf(st, facts);
    // A file without write permission for anyone is meant to stay as it is,
    // even for root, whom access() lets write anything.
    facts.readOnly = facts.readOnly || ::access(path.c_str(), W_OK) != 0;
    return 0;
}

int InspectInput(const std::string& path, FileFacts& facts) {
    if (path != kStandardInput) {
        return Inspect(path, facts);
    }
    facts = FileFacts{};
    struct stat st {};
    if (::fstat(STDIN_FILENO, &st) != 0) {
        return errno;
    }
    factsOf(st, facts);
    return 0;
}

int FollowLinks(const std::string& path, std::string& target) {
    std::string current = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            target = std::move(current);
            return 0;
        }
        std::string link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(current.c_str(), link.data(), link.size());
        if (length < 0) {
            return errno;
        }
        link.resize(static_cast<size_t>(length));
        // A relative link is read from the folder the link is in.
        const auto slash = current.rfind(kPathSeparator);
        if (!link.starts_with(kPathSeparator) && slash != std::string::npos) {
            link.insert(0, current, 0, slash + 1);
        }
        current = std::move(link);
    }
    return ELOOP;
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
    RememberTempFile(pattern);
    file.name = std::move(pattern);
    return 0;
}

int WriteAll(TempFile& file, std::string_view bytes) {
    if (exceedsSizeLimit(file.written + bytes.size())) {
        return EFBIG;
    }
    const uint64_t start = file.written;
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
#ifdef __linux__
    // Starts putting these bytes on disk now, so the fsync that finishes the
    // file waits for the last block rather than for the whole file. Only a
    // hint: the fsync still reports any failure.
    static_cast<void>(::sync_file_range(file.fd, static_cast<off_t>(start),
                                        static_cast<off_t>(file.written - start),
                                        SYNC_FILE_RANGE_WRITE));
#endif
    return 0;
}

int Finish(TempFile& file, const std::string& target) {
    if (const int error = giveTargetsRights(file.fd, target)) {
        return error;
    }
    if (::fsync(file.fd) != 0) {
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

int Replace(TempFile& file, const std::string& target) {
    if (::rename(file.name.c_str(), target.c_str()) != 0) {
        return errno;
    }
    ForgetTempFile(file.name);
    file.name.clear();
    return 0;
}

void Discard(TempFile& file) {
    if (file.fd >= 0) {
        ::close(file.fd);
        file.fd = -1;
    }
    if (!file.name.empty()) {
        ::unlink(file.name.c_str());
        ForgetTempFile(file.name);
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

void PopulatePages(void* pages, size_t size) {
#ifdef MADV_POPULATE_WRITE
    // Kernels before 5.14 refuse it; the pages then come as they are written.
    ::madvise(pages, size, MADV_POPULATE_WRITE);
#else
    (void)pages;
    (void)size;
#endif
}

std::string ExecutableFolder() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : exe.parent_path().string();
}

} // namespace wavemark::platform
