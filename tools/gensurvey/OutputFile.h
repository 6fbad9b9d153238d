#pragma once

#include <cstdio>
#include <string>

namespace wavemark {

// A file written through one large buffer: callers append to text() and call
// commit() after each line; the bytes go out in blocks, never per line.
class OutputFile {
public:
    explicit OutputFile(std::string path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool isOpen() const { return m_file != nullptr; }
    const std::string& path() const { return m_path; }
    std::string& text() { return m_buffer; }

    void commit() {
        if (m_buffer.size() >= kBlockSize) {
            flush();
        }
    }

    // Writes what is left and closes; false when any write failed.
    bool close();

private:
    static constexpr size_t kBlockSize = 1 << 20;

    void flush();

    std::string m_path;
    std::FILE* m_file;
    std::string m_buffer;
    bool m_failed = false;
};

} // namespace wavemark
