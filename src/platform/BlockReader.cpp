#include "platform/BlockReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

namespace wavemark {

int BlockReader::reserve() {
    if (!m_buffer && m_error == 0) {
        try {
            // Not zero-filled: every byte is read before it is looked at.
            m_buffer = std::make_unique_for_overwrite<char[]>(m_capacity);
            m_at = m_end = m_buffer.get();
        } catch (const std::bad_alloc&) {
            m_error = ENOMEM;
        }
    }
    return m_error;
}

bool BlockReader::fill(size_t count) {
    if (reserve() != 0) {
        return false;
    }
    const size_t kept = visible();
    if (count > m_capacity) {
        try {
            const size_t grown = std::max(count, m_capacity * 2);
            auto buffer = std::make_unique_for_overwrite<char[]>(grown);
            std::memcpy(buffer.get(), m_at, kept);
            m_buffer = std::move(buffer);
            m_capacity = grown;
        } catch (const std::bad_alloc&) {
            m_error = ENOMEM;
            return false;
        }
    } else {
        std::memmove(m_buffer.get(), m_at, kept);
    }
    char* const buffer = m_buffer.get();
    m_at = buffer;
    m_end = buffer + kept;
    while (visible() < count && !m_ended && m_error == 0) {
        size_t got = 0;
        const size_t free = m_capacity - visible();
        m_error = m_stream.read(buffer + visible(), std::min(free, m_capacity - m_spare), got);
        m_ended = m_error == 0 && got == 0;
        m_end += got;
        m_read += got;
    }
    return visible() >= count;
}

bool BlockReader::skip(uint64_t count) {
    while (count > 0) {
        if (!need(1)) {
            return false;
        }
        const auto step = static_cast<size_t>(std::min<uint64_t>(count, visible()));
        take(step);
        count -= step;
    }
    return true;
}

uint64_t BlockReader::drain() {
    uint64_t left = 0;
    while (need(1)) {
        left += visible();
        take(visible());
    }
    return left;
}

} // namespace wavemark
