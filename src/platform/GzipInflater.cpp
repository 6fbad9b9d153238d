#include "platform/GzipInflater.h"

#include "platform/ByteStream.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <new>

namespace wavemark {

GzipInflater::~GzipInflater() {
    if (m_started) {
        inflateEnd(&m_zlib);
    }
}

int GzipInflater::start(int fd, std::string_view taken) {
    m_fd = fd;
    try {
        // Not zero-filled: zlib reads only what fill() put there.
        m_input = std::make_unique_for_overwrite<unsigned char[]>(kInputBlockSize);
    } catch (const std::bad_alloc&) {
        return ENOMEM;
    }
    // 15 window bits, the most deflate uses; 16 more ask for a gzip header
    // and trailer instead of zlib's own.
    if (const int status = inflateInit2(&m_zlib, 15 + 16); status != Z_OK) {
        return status == Z_MEM_ERROR ? ENOMEM : ENOTSUP;
    }
    m_started = true;
    const size_t size = std::min(taken.size(), kInputBlockSize);
    std::memcpy(m_input.get(), taken.data(), size);
    m_zlib.next_in = m_input.get();
    m_zlib.avail_in = static_cast<uInt>(size);
    return 0;
}

int GzipInflater::fill(bool& more) {
    // The bytes not yet inflated stay in front: the next member's magic may
    // be cut by the end of a block.
    const size_t kept = m_zlib.avail_in;
    if (kept > 0) {
        std::memmove(m_input.get(), m_zlib.next_in, kept);
    }
    size_t got = 0;
    if (const int error = platform::ReadSome(m_fd, reinterpret_cast<char*>(m_input.get()) + kept,
                                             kInputBlockSize - kept, got)) {
        return error;
    }
    m_zlib.next_in = m_input.get();
    m_zlib.avail_in = static_cast<uInt>(kept + got);
    more = got > 0;
    return 0;
}

int GzipInflater::afterMember(bool& another) {
    another = false;
    for (bool more = true; m_zlib.avail_in < 2 && more;) {
        if (const int error = fill(more)) {
            return error;
        }
    }
    const unsigned char* next = m_zlib.next_in;
    if (m_zlib.avail_in >= 2 && next[0] == 0x1f && next[1] == 0x8b) {
        another = true;
        return 0;
    }
    if (m_zlib.avail_in == 1 && next[0] != 0) {
        return kTruncatedGzip;
    }
    // Zero padding is read to its end, which may be far off; the first other
    // byte ends the reading, and gzip would ignore it and the rest.
    while (m_zlib.avail_in > 0) {
        const unsigned char* begin = m_zlib.next_in;
        const unsigned char* end = begin + m_zlib.avail_in;
        if (std::find_if(begin, end, [](unsigned char c) { return c != 0; }) != end) {
            m_trailingBytesIgnored = true;
            return 0;
        }
        m_zlib.avail_in = 0;
        bool more = false;
        if (const int error = fill(more)) {
            return error;
        }
    }
    return 0;
}

int GzipInflater::read(char* buffer, size_t size, size_t& got) {
    got = 0;
    while (got < size && !m_atEnd) {
        if (m_memberEnded) {
            bool another = false;
            if (const int error = afterMember(another)) {
                return error;
            }
            if (!another) {
                m_atEnd = true;
                break;
            }
            if (inflateReset(&m_zlib) != Z_OK) {
                return kBrokenGzip;
            }
            m_memberEnded = false;
        }
        if (m_zlib.avail_in == 0) {
            bool more = false;
            if (const int error = fill(more)) {
                return error;
            }
            if (!more) {
                return kTruncatedGzip;
            }
        }
        // zlib counts in unsigned int: a larger buffer is filled in parts.
        const size_t part = std::min<size_t>(size - got, std::numeric_limits<uInt>::max());
        m_zlib.next_out = reinterpret_cast<Bytef*>(buffer + got);
        m_zlib.avail_out = static_cast<uInt>(part);
        const int status = inflate(&m_zlib, Z_NO_FLUSH);
        got += part - m_zlib.avail_out;
        if (status == Z_STREAM_END) {
            m_memberEnded = true;
        } else if (status == Z_MEM_ERROR) {
            return ENOMEM;
        } else if (status != Z_OK) {
            // Z_DATA_ERROR for a bad header, bad data or a wrong check value;
            // Z_BUF_ERROR cannot come with input and room for output both
            // there, so it would mean the same.
            return kBrokenGzip;
        }
    }
    return 0;
}

} // namespace wavemark
