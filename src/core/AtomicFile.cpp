#include "AtomicFile.h"

#include "PathSeparator.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
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

} // namespace

AtomicFile::AtomicFile(std::string targetPath) : m_target(std::move(targetPath)) {}

AtomicFile::~AtomicFile() {
    discard();
}

bool AtomicFile::open() {
    const std::string folder = folderOf(m_target);
    std::string pattern = folder +
                          (folder.ends_with(kPathSeparator) ? "" : std::string(1, kPathSeparator)) +
                          "." + baseNameOf(m_target) + ".XXXXXX";
    m_fd = ::mkstemp(pattern.data());
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
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail();
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

bool AtomicFile::commit() {
    if (m_fd < 0) {
        return false;
    }
    if (::fchmod(m_fd, modeForTarget(m_target)) != 0 || ::fsync(m_fd) != 0) {
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

bool AtomicFile::fail() {
    if (m_error == 0) {
        m_error = errno;
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
