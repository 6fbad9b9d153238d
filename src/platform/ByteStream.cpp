#include "platform/ByteStream.h"

#include "platform/FileSystem.h"
#include "platform/GzipInflater.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

namespace wavemark {

ByteStream::ByteStream() = default;

ByteStream::~ByteStream() {
    if (m_fd >= 0) {
        platform::CloseFile(m_fd);
    }
}

int ByteStream::open(const std::string& path) {
    if (const int error = platform::OpenRegularFile(path, m_fd, m_sizeHint)) {
        m_fd = -1;
        return error;
    }
    m_path = path;
    platform::FileFacts facts;
    m_regular = path != platform::kStandardInput && platform::Inspect(path, facts) == 0 &&
                facts.kind == platform::FileKind::Regular;
    // RFC 1952: every gzip member starts with ID1 = 1f, ID2 = 8b. The bytes
    // looked at stay in the peek buffer, where a plain file's reader gets them.
    std::string_view start;
    int error = peek(2, start);
    if (error == 0 && start == "\x1f\x8b") {
        try {
            m_gzip = std::make_unique<GzipInflater>();
            error = m_gzip->start(m_fd, m_peeked);
        } catch (const std::bad_alloc&) {
            error = ENOMEM;
        }
        m_peeked.clear();
        m_peekedAt = 0;
        m_sizeHint = 0;
    }
    if (error != 0) {
        platform::CloseFile(m_fd);
        m_fd = -1;
    }
    return error;
}

bool ByteStream::trailingBytesIgnored() const {
    return m_gzip && m_gzip->trailingBytesIgnored();
}

int ByteStream::readSource(char* buffer, size_t size, size_t& got) {
    got = 0;
    if (m_fd < 0) {
        return EBADF;
    }
    return m_gzip ? m_gzip->read(buffer, size, got) : platform::ReadSome(m_fd, buffer, size, got);
}

int ByteStream::read(char* buffer, size_t size, size_t& got) {
    if (m_peekedAt < m_peeked.size()) {
        got = std::min(size, m_peeked.size() - m_peekedAt);
        std::memcpy(buffer, m_peeked.data() + m_peekedAt, got);
        m_peekedAt += got;
        return 0;
    }
    return readSource(buffer, size, got);
}

int ByteStream::peek(size_t size, std::string_view& bytes) {
    m_peeked.erase(0, m_peekedAt);
    m_peekedAt = 0;
    while (m_peeked.size() < size) {
        const size_t had = m_peeked.size();
        m_peeked.resize(size);
        size_t got = 0;
        const int error = readSource(m_peeked.data() + had, size - had, got);
        m_peeked.resize(had + got);
        if (error != 0) {
            return error;
        }
        if (got == 0) {
            break;
        }
    }
    bytes = std::string_view(m_peeked).substr(0, size);
    return 0;
}

} // namespace wavemark
