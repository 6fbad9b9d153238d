#pragma once

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace wavemark {

class GzipInflater;

// Read errors of a gzip-compressed file, beside errno: codes that opening or
// reading a file or a pipe does not give, so ReadErrorText() can name them.
inline constexpr int kBrokenGzip = EBADMSG;    // a bad header, bad data, a wrong CRC or length
inline constexpr int kTruncatedGzip = ENODATA; // the file ends inside a member

// The bytes of a regular file or a pipe (kStandardInput included), front to
// back. A reader may look at the first bytes before it reads them, so that a
// file's kind is told by its content even where nothing can be read twice.
//
// A gzip-compressed file (one that starts with the bytes 1f 8b) is inflated
// as it is read: read() and peek() give the uncompressed bytes, of all its
// members one after another, and every reader takes .gz surveys unchanged.
class ByteStream {
public:
    ByteStream();
    ~ByteStream();
    ByteStream(const ByteStream&) = delete;
    ByteStream& operator=(const ByteStream&) = delete;

    // Opens a regular file or a pipe and looks at its first two bytes, so a
    // compressed file is told even from a pipe; returns errno, 0 on success
    // (see platform::OpenRegularFile for what else is refused).
    int open(const std::string& path);

    // Reads up to `size` bytes into `buffer`; `got` is 0 at the end. Returns
    // errno, 0 on success.
    int read(char* buffer, size_t size, size_t& got);

    // The first `size` bytes that read() gives next, without taking them;
    // fewer at the end. Valid until the next call. Returns errno.
    int peek(size_t size, std::string_view& bytes);

    // The number of bytes a regular file holds, 0 for a pipe or a compressed
    // file (its size is known only at its end): a hint for whoever reads it
    // all.
    uint64_t sizeHint() const { return m_sizeHint; }

    // Whether a compressed file went on after its last member with bytes
    // that are neither another member nor zero padding. As with `gzip -d`,
    // they end the stream without an error, yet they were never read: the
    // user deserves a notice that they were ignored, as gzip prints
    // "decompression OK, trailing garbage ignored". Known once read() has
    // given the end; false for a plain file.
    bool trailingBytesIgnored() const;

    // What a reader needs that must open the file again by its name (a
    // database that is read by seeking): the path it was opened with, whether
    // it is a regular file that can be opened so, and whether it is
    // compressed. The standard input has no name to open: it counts as a
    // pipe even when it reads from a file.
    const std::string& path() const { return m_path; }
    bool isRegularFile() const { return m_regular; }
    bool isCompressed() const { return m_gzip != nullptr; }

private:
    int readSource(char* buffer, size_t size, size_t& got);

    int m_fd = -1;
    uint64_t m_sizeHint = 0;
    std::string m_path;
    bool m_regular = false;
    std::string m_peeked; // read from the source, not yet given out
    size_t m_peekedAt = 0;
    std::unique_ptr<GzipInflater> m_gzip; // only for a compressed file
};

} // namespace wavemark
