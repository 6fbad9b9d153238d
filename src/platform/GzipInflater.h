#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include <zlib.h>

namespace wavemark {

// Inflates the gzip members (RFC 1952) of an open file one after another, as
// `gzip -d` does for `cat a.gz b.gz`, reading the compressed bytes in large
// blocks so that neither side is ever held whole. Whatever follows a member
// must be another member: trailing bytes that are none make the stream
// broken. Errors are those of ByteStream (kBrokenGzip, kTruncatedGzip,
// ENOMEM, or errno of the file).
class GzipInflater {
public:
    static constexpr size_t kInputBlockSize = size_t{512} << 10;

    GzipInflater() = default;
    ~GzipInflater();
    GzipInflater(const GzipInflater&) = delete;
    GzipInflater& operator=(const GzipInflater&) = delete;

    // Starts on the file `fd`, whose first bytes `taken` were already read
    // from it. Returns ENOMEM or 0.
    int start(int fd, std::string_view taken);

    // Fills `buffer` with up to `size` uncompressed bytes; `got` is 0 at the
    // end of the last member.
    int read(char* buffer, size_t size, size_t& got);

private:
    // Reads the next block of compressed bytes; `more` is false at the end.
    int fill(bool& more);

    int m_fd = -1;
    z_stream m_zlib{};
    bool m_started = false;
    bool m_memberEnded = false;
    bool m_atEnd = false;
    std::unique_ptr<unsigned char[]> m_input;
};

} // namespace wavemark
