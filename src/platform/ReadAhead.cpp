#include "platform/ReadAhead.h"

#include <system_error>

namespace wavemark {

ReadAhead::ReadAhead(ByteStream& stream, size_t blockSize, size_t front)
    : m_stream(stream), m_blockSize(blockSize), m_front(front) {
    for (auto& buffer : m_buffers) {
        // Not zero-filled: every byte is read before it is looked at.
        buffer = std::make_unique_for_overwrite<char[]>(front + blockSize);
    }
}

ReadAhead::~ReadAhead() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    if (m_helper.joinable()) {
        m_helper.join();
    }
}

void ReadAhead::read() {
    char* const bytes = m_buffers[m_next].get() + m_front;
    size_t got = 0;
    const int error = m_stream.read(bytes, m_blockSize, got);
    m_last = {bytes, error == 0 ? got : 0, error};
}

ReadAhead::Block ReadAhead::take() {
    std::unique_lock lock(m_mutex);
    if (m_ended) {
        return m_last;
    }
    if (m_state == State::Idle || m_state == State::Asked) {
        m_state = State::Reading;
        lock.unlock();
        read();
        lock.lock();
        m_state = State::Read;
    }
    m_changed.wait(lock, [this] { return m_state == State::Read; });
    m_state = State::Idle;
    m_ended = m_last.size == 0;
    m_next ^= 1;
    return m_last;
}

void ReadAhead::readNext() {
    {
        const std::lock_guard lock(m_mutex);
        if (m_state != State::Idle || m_last.size < m_blockSize) {
            return;
        }
        if (!m_helper.joinable()) {
            try {
                m_helper = std::thread([this] { help(); });
            } catch (const std::system_error&) {
                return; // no thread to be had: the caller reads every block
            }
        }
        m_state = State::Asked;
    }
    m_changed.notify_all();
}

void ReadAhead::help() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_state == State::Asked || m_stopping; });
        if (m_stopping) {
            return;
        }
        m_state = State::Reading;
        lock.unlock();
        read();
        lock.lock();
        m_state = State::Read;
        m_changed.notify_all();
    }
}

} // namespace wavemark
