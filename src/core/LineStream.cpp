#include "LineStream.h"

#include "FileSystem.h"

#include <cerrno>
#include <cstring>
#include <new>

namespace wavemark {
namespace {

constexpr size_t kBlockSize = size_t{1} << 20;

} // namespace

LineStream::~LineStream() {
    if (m_fd >= 0) {
        platform::CloseFile(m_fd);
    }
}

int LineStream::open(const std::string& path) {
    uint64_t size = 0;
    if (const int error = platform::OpenRegularFile(path, m_fd, size)) {
        m_fd = -1;
        return error;
    }
    try {
        // Not zero-filled: every byte is read before it is looked at.
        m_buffer = std::make_unique_for_overwrite<char[]>(kBlockSize);
    } catch (const std::bad_alloc&) {
        return ENOMEM;
    }
    m_capacity = kBlockSize;
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
    if (const int error =
            platform::ReadSome(m_fd, m_buffer.get() + m_end, m_capacity - m_end, got)) {
        m_error = error;
        return false;
    }
    m_atEnd = got == 0;
    m_end += got;
    return got > 0;
}

bool LineStream::next(std::string_view& line) {
    if (!m_buffer) {
        return false;
    }
    for (;;) {
        const char* start = m_buffer.get() + m_begin;
        const size_t available = m_end - m_begin;
        // A line ends at the first CR or LF; searching for LF first keeps the
        // search for CR to one line.
        const auto* lf = static_cast<const char*>(std::memchr(start, '\n', available));
        const size_t searched = lf ? static_cast<size_t>(lf - start) : available;
        const auto* cr = static_cast<const char*>(std::memchr(start, '\r', searched));
        if (cr != nullptr && (cr + 1 < start + available || m_atEnd)) {
            line = std::string_view(start, static_cast<size_t>(cr - start));
            const bool crlf = cr + 1 < start + available && cr[1] == '\n';
            m_begin += line.size() + (crlf ? 2 : 1);
            return true;
        }
        if (cr == nullptr && lf != nullptr) {
            line = std::string_view(start, searched);
            m_begin += searched + 1;
            return true;
        }
        // The line may go on in the next block, and a CR at the end of the
        // buffer may be the first half of CR LF.
        if (refill()) {
            continue;
        }
        if (m_error != 0 || m_begin == m_end) {
            return false;
        }
        if (cr == nullptr) {
            line = std::string_view(m_buffer.get() + m_begin, m_end - m_begin);
            m_begin = m_end;
            return true;
        }
    }
}

} // namespace wavemark
