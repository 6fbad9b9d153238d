#include "platform/AtomicFile.h"

#include <cstring>

namespace wavemark {

AtomicFile::AtomicFile(std::string targetPath) : m_target(std::move(targetPath)) {}

AtomicFile::~AtomicFile() {
    platform::Discard(m_file);
}

bool AtomicFile::open() {
    return check(platform::FollowLinks(m_target, m_target)) &&
           check(platform::CreateTempFile(m_target, m_file));
}

bool AtomicFile::write(std::string_view bytes) {
    return m_file.fd >= 0 && check(platform::WriteAll(m_file, bytes));
}

bool AtomicFile::commit() {
    return m_file.fd >= 0 && check(platform::Finish(m_file, m_target)) &&
           check(platform::Replace(m_file, m_target));
}

std::string AtomicFile::errorText() const {
    return m_error == 0 ? "" : std::strerror(m_error);
}

// The first failure is kept, and the temporary file goes with it.
bool AtomicFile::check(int error) {
    if (error == 0) {
        return true;
    }
    if (m_error == 0) {
        m_error = error;
    }
    platform::Discard(m_file);
    return false;
}

int WriteFileAtomically(const std::string& path, std::string_view contents) {
    AtomicFile file(path);
    if (file.open() && file.write(contents) && file.commit()) {
        return 0;
    }
    return file.errorCode();
}

} // namespace wavemark
