#include "platform/BufferedFile.h"

namespace wavemark {

BufferedFile::BufferedFile(std::string path) : m_path(path), m_file(std::move(path)) {
    m_buffer.reserve(kBlockSize + 4096);
}

std::string BufferedFile::errorText() const {
    return m_file.errorCode() == 0 ? "An unknown error has occured" : m_file.errorText();
}

bool BufferedFile::flush() {
    const bool written = m_file.write(m_buffer);
    m_buffer.clear();
    return written;
}

} // namespace wavemark
