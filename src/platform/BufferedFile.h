#pragma once

#include "platform/AtomicFile.h"

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace wavemark {

// A file written through one large buffer and replaced completely or not at
// all: callers append to buffer() and call flushIfFull() now and then, so
// the bytes go out in large blocks; finish() writes the rest and puts the
// file in place.
//
// A full buffer is handed to a writer thread, started at the first one, and
// the caller goes on filling the other: the system's copy of a large map
// file overlaps its formatting. A failed write shows in the flushIfFull()
// after it, or in finish().
class BufferedFile {
public:
    explicit BufferedFile(std::string path);
    ~BufferedFile();
    BufferedFile(const BufferedFile&) = delete;
    BufferedFile& operator=(const BufferedFile&) = delete;

    bool open() { return m_file.open(); }
    const std::string& path() const { return m_path; }
    std::string& buffer() { return m_buffer; }

    bool flushIfFull() { return m_buffer.size() < kBlockSize || handOver(); }
    bool finish();

    // The system's reason for the first failure.
    std::string errorText() const;

private:
    // Waits for the block being written; false when a write failed.
    bool settled(std::unique_lock<std::mutex>& lock);
    bool handOver();
    void writeBlocks();

    static constexpr size_t kBlockSize = 1 << 20;
    std::string m_path;
    AtomicFile m_file;
    std::string m_buffer;
    std::string m_writing;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_pending = false;
    bool m_failed = false;
    bool m_stopping = false;
    std::thread m_writer;
};

} // namespace wavemark
