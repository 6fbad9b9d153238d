#include "platform/BlockReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

namespace wavemark {

int BlockReader::reserve() {
    Buffer& buffer = m_buffers[m_current];
    if (!buffer.bytes && m_error == 0 && m_stream != nullptr) {
        try {
            // Not zero-filled: every byte is read before it is looked at.
            buffer.bytes = std::make_unique_for_overwrite<char[]>(m_capacity);
            buffer.capacity = m_capacity;
            m_at = m_end = buffer.bytes.get();
        } catch (const std::bad_alloc&) {
            m_error = ENOMEM;
        }
    }
    return m_error;
}

void BlockReader::keepBuffers(size_t count) {
    m_buffers.resize(std::max<size_t>(count, 1));
    m_current = std::min(m_current, m_buffers.size() - 1);
}

char* BlockReader::bufferFor(size_t count) {
    const size_t kept = visible();
    const size_t next = m_held ? (m_current + 1) % m_buffers.size() : m_current;
    Buffer& target = m_buffers[next];
    if (target.capacity < std::max(count, m_capacity)) {
        try {
            const size_t size = std::max({count, m_capacity, target.capacity * 2});
            Buffer grown{std::make_unique_for_overwrite<char[]>(size), size};
            // Copied before the buffer it replaces, which may hold them, goes.
            std::memcpy(grown.bytes.get(), m_at, kept);
            target = std::move(grown);
        } catch (const std::bad_alloc&) {
            m_error = ENOMEM;
            return nullptr;
        }
    } else if (next != m_current) {
        std::memcpy(target.bytes.get(), m_at, kept);
    } else {
        std::memmove(target.bytes.get(), m_at, kept);
    }
    m_current = next;
    m_held = false;
    return target.bytes.get();
}

void BlockReader::readAhead() {
    if (m_stream == nullptr || !m_stream->isRegularFile() || m_spare == 0 || m_ahead) {
        return;
    }
    try {
        m_ahead = std::make_unique<ReadAhead>(*m_stream, m_capacity - m_spare, m_spare);
    } catch (const std::bad_alloc&) {
        // Read on without a helper.
    }
}

bool BlockReader::fillAhead(size_t count) {
    while (visible() < count && !m_ended && m_error == 0) {
        const ReadAhead::Block block = m_ahead->take();
        if (block.size > 0) {
            const size_t kept = visible();
            char* const start = block.bytes - kept;
            if (kept > 0) {
                std::memcpy(start, m_at, kept);
            }
            m_at = start;
            m_end = block.bytes + block.size;
            m_ahead->readNext();
        }
        countAhead(block);
    }
    return visible() >= count;
}

void BlockReader::countAhead(const ReadAhead::Block& block) {
    m_read += block.size;
    m_error = block.error;
    m_ended = block.error == 0 && block.size == 0;
}

void BlockReader::stopReadingAhead() {
    if (m_at == nullptr && reserve() != 0) {
        return;
    }
    const ReadAhead::Block block = m_ahead->take();
    const size_t kept = visible();
    char* const buffer = bufferFor(kept + block.size);
    if (buffer != nullptr) {
        std::memcpy(buffer + kept, block.bytes, block.size);
        m_at = buffer;
        m_end = buffer + kept + block.size;
        countAhead(block);
    }
    m_ahead.reset();
}

bool BlockReader::fill(size_t count) {
    if (m_ahead) {
        if (count <= m_spare) {
            return fillAhead(count);
        }
        stopReadingAhead();
    }
    if (m_stream == nullptr || reserve() != 0) {
        return false;
    }
    const size_t kept = visible();
    char* const buffer = bufferFor(count);
    if (buffer == nullptr) {
        return false;
    }
    const size_t capacity = m_buffers[m_current].capacity;
    m_at = buffer;
    m_end = buffer + kept;
    while (visible() < count && !m_ended && m_error == 0) {
        size_t got = 0;
        const size_t free = capacity - visible();
        m_error = m_stream->read(buffer + visible(), std::min(free, capacity - m_spare), got);
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
