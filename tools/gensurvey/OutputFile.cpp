#include "OutputFile.h"

#include <utility>

namespace wavemark {

OutputFile::OutputFile(std::string path)
    : m_path(std::move(path)), m_file(std::fopen(m_path.c_str(), "wb")) {
    m_buffer.reserve(kBlockSize + 4096);
}

OutputFile::~OutputFile() {
    close();
}

void OutputFile::flush() {
    if (m_file != nullptr && !m_buffer.empty() &&
        std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file) != m_buffer.size()) {
        m_failed = true;
    }
    m_buffer.clear();
}

bool OutputFile::close() {
    if (m_file == nullptr) {
        return false;
    }
    flush();
    if (std::fclose(m_file) != 0) {
        m_failed = true;
    }
    m_file = nullptr;
    return !m_failed;
}

} // namespace wavemark
