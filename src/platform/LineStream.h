#pragma once

#include "platform/ByteStream.h"
#include "platform/SplitLines.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace wavemark {

inline constexpr size_t kLineBlockSize = size_t{1} << 20;

// Far longer than any line of an export: a longer line is not one, and
// holding it would let a small gzip file take gigabytes.
inline constexpr size_t kLongestLine = size_t{64} << 10;

// The lines of a file, read front to back in large blocks, so that a reader
// holds one block and never the whole file. Lines end at CR LF, at a lone LF
// or at a lone CR, exactly as the loader splits them: a last line without a
// line end counts, and a final line end adds no empty line.
//
// A line longer than kLongestLine bytes is never held: its bytes are passed
// over as they are read, and it comes as an empty line. It keeps its place,
// so later lines keep their numbers, and no reader takes it for a header or
// a data line.
class LineStream {
public:
    // `blockSize` > 0. Tests read in blocks of a few bytes, so that small
    // files meet the block edges that large ones meet; a block shorter than
    // kLongestLine grows to hold the longest line.
    explicit LineStream(size_t blockSize = kLineBlockSize) : m_blockSize(blockSize) {}
    LineStream(const LineStream&) = delete;
    LineStream& operator=(const LineStream&) = delete;

    // Opens a regular file or a pipe; returns errno, 0 on success.
    int open(const std::string& path);

    // The bytes the lines are cut from, to peek at before the first line.
    ByteStream& source() { return m_source; }

    // The next line, valid until the following call; false at the end of the
    // file or on a failure, which error() then gives.
    bool next(std::string_view& line);

    // The lines that next() would give until the end of the buffer or a too
    // long line, as one text that TakeLine() splits; a too long line comes
    // alone, as an empty line. Valid until the following call.
    bool nextLines(std::string_view& lines);

    // errno of the first failure to read, 0 when there was none.
    int error() const { return m_error; }

private:
    // Moves the unread bytes to the front and reads more behind them; false
    // when nothing more came.
    bool refill();

    // Reads past the end of the too long line at the front; false on a
    // failure.
    bool skipLongLine();

    size_t m_blockSize;
    ByteStream m_source;
    int m_error = 0;
    bool m_atEnd = false;
    bool m_inLongLine = false; // the bytes at the front belong to a too long line
    std::unique_ptr<char[]> m_buffer;
    size_t m_capacity = 0;
    size_t m_begin = 0;       // first byte not yet given out
    size_t m_end = 0;         // one past the last byte read
    std::string_view m_lines; // given out, but not yet split by next()
};

} // namespace wavemark
