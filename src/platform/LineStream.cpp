#include "platform/LineStream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

namespace wavemark {

int LineStream::open(const std::string& path) {
    if (const int error = m_source.open(path)) {
        return error;
    }
    try {
        // Not zero-filled: every byte is read before it is looked at.
        m_buffer = std::make_unique_for_overwrite<char[]>(m_blockSize);
    } catch (const std::bad_alloc&) {
        return ENOMEM;
    }
    m_capacity = m_blockSize;
    return 0;
}

bool LineStream::refill() {
    if (m_atEnd || m_error != 0 || !m_buffer) {
        return false;
    }
    const size_t kept = m_end - m_begin;
    if (kept == m_capacity) {
        try {
            auto grown = std::make_unique_for_overwrite<char[]>(m_capacity * 2);
            std::memcpy(grown.get(), m_buffer.get() + m_begin, kept);
            m_buffer = std::move(grown);
            m_capacity *= 2;
        } catch (const std::bad_alloc&) {
            m_error = ENOMEM;
            return false;
        }
    } else if (m_begin > 0) {
        std::memmove(m_buffer.get(), m_buffer.get() + m_begin, kept);
    }
    m_begin = 0;
    m_end = kept;
    size_t got = 0;
    if (const int error = m_source.read(m_buffer.get() + m_end, m_capacity - m_end, got)) {
        m_error = error;
        return false;
    }
    m_atEnd = got == 0;
    m_end += got;
    return got > 0;
}

bool LineStream::next(std::string_view& line) {
    return (!m_lines.empty() || nextLines(m_lines)) && TakeLine(m_lines, line);
}

bool LineStream::nextLines(std::string_view& lines) {
    if (!m_lines.empty()) {
        lines = m_lines;
        m_lines = {};
        return true;
    }
    if (!m_buffer) {
        return false;
    }
    for (;;) {
        // The last line end whose kind is known: a CR as the last byte read
        // may be the first half of CR LF.
        const char* start = m_buffer.get() + m_begin;
        const size_t available = m_end - m_begin;
        size_t cut = available;
        while (!m_atEnd && cut > 0 && start[cut - 1] != '\n' &&
               (start[cut - 1] != '\r' || cut == available)) {
            --cut;
        }
        if (cut > 0) {
            lines = std::string_view(start, cut);
            m_begin += cut;
            return true;
        }
        if (!refill()) {
            if (m_error != 0 || m_begin == m_end) {
                return false;
            }
        }
    }
}

} // namespace wavemark
