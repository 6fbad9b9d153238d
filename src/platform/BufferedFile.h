#pragma once

#include "platform/AtomicFile.h"

#include <string>

namespace wavemark {

// A file written through one large buffer and replaced completely or not at
// all: callers append to buffer() and call flushIfFull() now and then, so
// the bytes go out in large blocks; finish() writes the rest and puts the
// file in place.
class BufferedFile {
public:
    explicit BufferedFile(std::string path);

    bool open() { return m_file.open(); }
    const std::string& path() const { return m_path; }
    std::string& buffer() { return m_buffer; }

    bool flushIfFull() { return m_buffer.size() < kBlockSize || flush(); }
    bool finish() { return flush() && m_file.commit(); }

    // The system's reason for the first failure.
    std::string errorText() const;

private:
    bool flush();

    static constexpr size_t kBlockSize = 1 << 20;
    std::string m_path;
    AtomicFile m_file;
    std::string m_buffer;
};

} // namespace wavemark
