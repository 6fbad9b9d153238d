#pragma once

#include "platform/ByteStream.h"
#include "platform/ReadAhead.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace wavemark {

// The unread bytes of a byte stream, read in large blocks into one buffer, so
// that a reader takes its records in place and asks for more only where one
// runs over the end of what was read. Asking for more moves the unread bytes
// to the front and reads behind them; the buffer grows only when asked for
// more bytes than it holds, so a reader of short records never copies much.
//
// A reader that hands blocks to other threads asks to keep the last few:
// the bytes it was given then stay where they are while later blocks are
// read into further buffers, in turn. A reader that takes its records on
// its own thread may have the next block read ahead instead.
class BlockReader {
public:
    // A read asks for at most `blockSize` (> 0) bytes; `spare` is room
    // beyond a block for the unread bytes moved to the front, so that a read
    // behind them still asks for a whole block. The buffer holds both until a
    // request outgrows it.
    BlockReader(ByteStream& stream, size_t blockSize, size_t spare = 0)
        : m_stream(&stream), m_capacity(blockSize + spare), m_spare(spare) {}
    // The bytes of `text`, as if read already: no more come, and the stream
    // ends with them when `final`.
    BlockReader(std::string_view text, bool final)
        : m_stream(nullptr), m_capacity(0), m_spare(0), m_at(text.data()),
          m_end(text.data() + text.size()), m_read(text.size()), m_ended(final) {}
    BlockReader(const BlockReader&) = delete;
    BlockReader& operator=(const BlockReader&) = delete;

    // Makes at least `count` bytes visible at data(), reading as often as
    // that takes; false when the stream ends first or a read fails (error()).
    bool need(size_t count) { return visible() >= count || fill(count); }
    const char* data() const { return m_at; }
    size_t visible() const { return static_cast<size_t>(m_end - m_at); }
    // Moves past `count` visible bytes.
    void take(size_t count) { m_at += count; }
    // Moves past `count` bytes, visible or not; false when the stream ends
    // first or a read fails.
    bool skip(uint64_t count);
    // Reads to the end of the stream; the number of bytes that were left.
    uint64_t drain();

    // The bytes taken so far: where data() stands in the stream.
    uint64_t taken() const { return m_read - visible(); }
    // Whether a read gave the end of the stream.
    bool ended() const { return m_ended; }
    // errno of a failed read (ENOMEM when the buffer could not be had), 0
    // when none failed.
    int error() const { return m_error; }

    // Sets the buffer aside now rather than at the first read; errno.
    int reserve();

    // Keeps `count` (>= 1) buffers in turn: the bytes before data() that a
    // hold() marked stay in place until `count` - 1 later holds have been
    // marked, whatever is read meanwhile.
    void keepBuffers(size_t count);
    // Marks the bytes taken so far as given out: the next read goes to the
    // next buffer rather than moving them.
    void hold() { m_held = true; }

    // From here on reads the next block on a helper thread (see ReadAhead)
    // and puts the unread bytes in front of it, until a request asks for
    // more than `spare` bytes: the reader then goes on by itself. Only for a
    // file, and not with keepBuffers(); a reader given a text, or a spare of
    // 0, reads as before.
    void readAhead();

private:
    struct Buffer {
        std::unique_ptr<char[]> bytes;
        size_t capacity = 0;
    };

    bool fill(size_t count);
    bool fillAhead(size_t count);
    // Counts a block read ahead: its bytes, and the end or failure it gave.
    void countAhead(const ReadAhead::Block& block);
    // A request longer than the room in front of a block: the block read
    // ahead joins the unread bytes in a buffer of this reader, which reads
    // on by itself.
    void stopReadingAhead();
    // The buffer to read `count` bytes into, with the unread bytes moved to
    // its front; nullptr when it could not be had.
    char* bufferFor(size_t count);

    ByteStream* m_stream; // none for a text given whole
    size_t m_capacity;    // of a new buffer
    size_t m_spare;
    std::vector<Buffer> m_buffers{1};
    size_t m_current = 0;
    bool m_held = false;
    const char* m_at = nullptr;
    const char* m_end = nullptr;
    uint64_t m_read = 0; // bytes the stream gave
    bool m_ended = false;
    int m_error = 0;
    std::unique_ptr<ReadAhead> m_ahead;
};

} // namespace wavemark
