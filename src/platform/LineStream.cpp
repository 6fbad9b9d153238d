#include "platform/LineStream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

namespace wavemark {
namespace {

bool IsLineEnd(char c) {
    return c == '\n' || c == '\r';
}

// Where the first line longer than kLongestLine starts in `text`, which
// starts a line; npos when there is none. A line that is not too long ends
// within kLongestLine + 1 bytes of its start: the look goes from window to
// window, each starting after the last line end of the one before, so that
// short lines cost a few bytes at the end of each window.
size_t FindLongLine(std::string_view text) {
    size_t from = 0;
    while (text.size() - from > kLongestLine) {
        size_t end = from + kLongestLine + 1;
        while (end > from && !IsLineEnd(text[end - 1])) {
            --end;
        }
        if (end == from) {
            return from;
        }
        from = end;
    }
    return std::string_view::npos;
}

} // namespace

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

bool LineStream::skipLongLine() {
    for (;;) {
        std::string_view rest(m_buffer.get() + m_begin, m_end - m_begin);
        std::string_view line;
        if (!TakeLine(rest, line)) {
            // The file ends in the line.
            m_inLongLine = false;
            return true;
        }
        // A CR read last is kept until the byte behind it tells whether it
        // is half of CR LF.
        const size_t available = m_end - m_begin;
        const size_t length = line.size();
        const bool crLast = length + 1 == available && m_buffer[m_begin + length] == '\r';
        if (length < available && (!crLast || m_atEnd)) {
            m_begin = m_end - rest.size();
            m_inLongLine = false;
            return true;
        }
        m_begin += length;
        if (!refill() && m_error != 0) {
            return false;
        }
    }
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
        if (m_inLongLine) {
            if (!skipLongLine()) {
                return false;
            }
            // Its bytes are gone: it is given as an empty line.
            lines = "\n";
            return true;
        }
        const char* start = m_buffer.get() + m_begin;
        const size_t available = m_end - m_begin;
        // The lines before a too long one, else those up to the last line end
        // whose kind is known: a CR as the last byte read may be the first
        // half of CR LF.
        size_t cut = FindLongLine({start, available});
        if (cut == 0) {
            m_inLongLine = true;
            continue;
        }
        if (cut == std::string_view::npos) {
            cut = available;
            while (!m_atEnd && cut > 0 && start[cut - 1] != '\n' &&
                   (start[cut - 1] != '\r' || cut == available)) {
                --cut;
            }
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
