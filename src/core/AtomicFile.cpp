#include "AtomicFile.h"

#include "PathSeparator.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <span>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wavemark {
namespace {

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind(kPathSeparator);
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
    const auto slash = path.rfind(kPathSeparator);
    return slash == std::string::npos ? path : path.substr(slash + 1);
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

std::string hiddenPattern(const std::string& target) {
    const std::string folder = folderOf(target);
    return folder + (folder.ends_with(kPathSeparator) ? "" : std::string(1, kPathSeparator)) + "." +
           baseNameOf(target) + ".XXXXXX";
}

// Whether a file that ends at `end` passes RLIMIT_FSIZE; the system would
// stop the process with SIGXFSZ on a write that does.
bool passesSizeLimit(off_t end) {
    struct rlimit limit {};
    return ::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
           static_cast<rlim_t>(end) > limit.rlim_cur;
}

} // namespace

AtomicFile::AtomicFile(std::string targetPath) : m_target(std::move(targetPath)) {}

AtomicFile::~AtomicFile() {
    discard();
}

bool AtomicFile::open() {
#ifdef O_TMPFILE
    m_fd = ::open(folderOf(m_target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (m_fd >= 0) {
        return true;
    }
#endif
    // No unnamed files here (an older kernel or a file system without them).
    std::string pattern = hiddenPattern(m_target);
    m_fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (m_fd < 0) {
        return fail();
    }
    m_temp = pattern;
    return true;
}

bool AtomicFile::write(std::string_view bytes) {
    if (m_fd < 0) {
        return false;
    }
    if (passesSizeLimit(m_written + static_cast<off_t>(bytes.size()))) {
        return fail(EFBIG);
    }
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail();
        }
        bytes.remove_prefix(static_cast<size_t>(written));
        m_written += written;
    }
    return true;
}

bool AtomicFile::commit() {
    if (m_fd < 0) {
        return false;
    }
    if (::fchmod(m_fd, modeForTarget(m_target)) != 0 || ::fsync(m_fd) != 0 || !giveName()) {
        return fail();
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        return fail();
    }
    if (::rename(m_temp.c_str(), m_target.c_str()) != 0) {
        return fail();
    }
    m_temp.clear();
    return true;
}

std::string AtomicFile::errorText() const {
    return m_error == 0 ? "" : std::strerror(m_error);
}

// An unnamed file is linked under a hidden name for the rename; linkat()
// cannot replace an existing file itself.
bool AtomicFile::giveName() {
    if (!m_temp.empty()) {
        return true;
    }
    const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
    constexpr std::string_view alphabet =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device seed;
    std::minstd_rand random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = hiddenPattern(m_target);
        for (char& c : std::span(name).last(6)) {
            c = alphabet[random() % alphabet.size()];
        }
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            m_temp = std::move(name);
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
    }
    return false;
}

bool AtomicFile::fail() {
    return fail(errno);
}

bool AtomicFile::fail(int code) {
    if (m_error == 0) {
        m_error = code;
    }
    discard();
    return false;
}

void AtomicFile::discard() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temp.empty()) {
        ::unlink(m_temp.c_str());
        m_temp.clear();
    }
}

int WriteFileAtomically(const std::string& path, std::string_view contents) {
    AtomicFile file(path);
    if (file.open() && file.write(contents) && file.commit()) {
        return 0;
    }
    return file.errorCode();
}

} // namespace wavemark
