#pragma once

#include "platform/ByteStream.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace wavemark::ns1 {

// A window onto a byte stream that is read in large blocks, so that a reader
// takes its fields in place from the block and asks for more only where a
// record runs over the block's end.
class StreamWindow {
public:
    StreamWindow(ByteStream& stream, size_t blockSize);

    // Makes at least `count` bytes (at most the block size) visible at
    // data(); false at the end of the stream or when a read fails (error()).
    bool need(size_t count) { return static_cast<size_t>(m_end - m_at) >= count || refill(count); }
    const char* data() const { return m_at; }
    size_t visible() const { return static_cast<size_t>(m_end - m_at); }
    // Moves past `count` visible bytes.
    void take(size_t count) { m_at += count; }
    // Moves past `count` bytes, visible or not; false when the stream ends
    // first or a read fails.
    bool skip(uint64_t count);
    // Reads to the end of the stream; the number of bytes that were left.
    uint64_t drain();
    // errno of a failed read, 0 when none failed.
    int error() const { return m_error; }

private:
    bool refill(size_t count);

    ByteStream& m_stream;
    size_t m_blockSize;
    std::unique_ptr<char[]> m_block;
    const char* m_at;
    const char* m_end;
    bool m_ended = false;
    int m_error = 0;
};

} // namespace wavemark::ns1
