#pragma once

#include "platform/ByteStream.h"

#include <array>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <thread>

namespace wavemark {

// The blocks of a stream, each read on a helper thread while the caller takes
// the one before: for a reader that does so little with each byte that the
// system's copy of it costs as much again. The caller never waits for a read
// nobody has started: it reads a block itself when the helper has not begun
// it, so on a busy machine it goes no slower than reading alone. Not for a
// pipe: a read under way is waited for when the reader goes, and a pipe's
// may wait for ever.
//
// Each block lands `front` bytes into its buffer, so that up to that many
// bytes carried over from the block before fit in front of it.
class ReadAhead {
public:
    struct Block {
        char* bytes = nullptr; // `front` bytes into its buffer
        size_t size = 0;       // 0 at the end of the stream and after a failed read
        int error = 0;         // errno of a failed read
    };

    // Throws std::bad_alloc when the buffers cannot be had.
    ReadAhead(ByteStream& stream, size_t blockSize, size_t front);
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The next block; after the end or a failed read, that again. The block
    // before stays where it is until readNext().
    Block take();
    // Starts reading the block after the one taken, into the buffer of the
    // one before it. Not after a short block, which mostly means the end is
    // near: the caller reads what is left itself, without a helper.
    void readNext();

private:
    enum class State { Idle, Asked, Reading, Read };

    // The read itself, by whichever thread moved the state to Reading.
    void read();
    void help();

    ByteStream& m_stream;
    size_t m_blockSize;
    size_t m_front;
    std::array<std::unique_ptr<char[]>, 2> m_buffers;
    size_t m_next = 0; // the buffer the next block goes to
    Block m_last;      // what the last read gave
    State m_state = State::Idle;
    bool m_ended = false;
    bool m_stopping = false;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::thread m_helper;
};

} // namespace wavemark
