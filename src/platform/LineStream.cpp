#include "platform/LineStream.h"

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
    if (const int error = m_in.reserve()) {
        return error;
    }
    m_opened = true;
    return 0;
}

bool LineStream::skipLongLine() {
    for (;;) {
        std::string_view rest(m_in.data(), m_in.visible());
        std::string_view line;
        if (!TakeLine(rest, line)) {
            // The file ends in the line.
            m_inLongLine = false;
            return true;
        }
        // A CR read last is kept until the byte behind it tells whether it
        // is half of CR LF.
        const size_t available = m_in.visible();
        const size_t length = line.size();
        const bool crLast = length + 1 == available && m_in.data()[length] == '\r';
        if (length < available && (!crLast || m_in.ended())) {
            m_in.take(available - rest.size());
            m_inLongLine = false;
            return true;
        }
        m_in.take(length);
        if (!refill() && error() != 0) {
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
    if (!m_opened) {
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
        const char* start = m_in.data();
        const size_t available = m_in.visible();
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
            while (!m_in.ended() && cut > 0 && start[cut - 1] != '\n' &&
                   (start[cut - 1] != '\r' || cut == available)) {
                --cut;
            }
        }
        if (cut > 0) {
            lines = std::string_view(start, cut);
            m_in.take(cut);
            m_in.hold();
            return true;
        }
        if (!refill() && (error() != 0 || m_in.visible() == 0)) {
            return false;
        }
    }
}

} // namespace wavemark
