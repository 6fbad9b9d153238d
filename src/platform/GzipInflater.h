#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include <zlib.h>

namespace wavemark {

// Inflates the gzip members (RFC 1952) of an open file one after another, as
// `gzip -d` does for `cat a.gz b.gz`, reading the compressed bytes in large
// blocks so that neither side is ever held whole. After a member, bytes that
// start with the gzip magic must make another whole member; other bytes end
// the stream as `gzip -d` ends it: zero padding, as tape and block-device
// copies carry, silently, anything else with trailingBytesIgnored() set,
// except a single non-zero byte, which gzip takes for a member cut short.
// Errors are those of ByteStream (kBrokenGzip, kTruncatedGzip, ENOMEM, or
// errno of the file).
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

    // Whether bytes other than zero padding followed the last member.
    bool trailingBytesIgnored() const { return m_trailingBytesIgnored; }

private:
    // Reads more compressed bytes behind those not yet inflated; `more` is
    // false at the end of the file.
    int fill(bool& more);

    // Looks at what follows a member: `another` when it is the next member,
    // else the stream ends here.
    int afterMember(bool& another);

    int m_fd = -1;
    z_stream m_zlib{};
    bool m_started = false;
    bool m_memberEnded = false;
    bool m_atEnd = false;
    bool m_trailingBytesIgnored = false;
    std::unique_ptr<unsigned char[]> m_input;
};

} // namespace wavemark
