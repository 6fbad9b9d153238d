#pragma once

#include "platform/BlockReader.h"
#include "platform/ByteStream.h"
#include "platform/SplitLines.h"

#include <cstddef>
#include <cstdint>
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
    explicit LineStream(size_t blockSize = kLineBlockSize) : m_in(m_source, blockSize) {}
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

    // Keeps the texts of the last `count` (>= 1) nextLines() calls valid,
    // rather than only the last one's, for a reader that hands them to other
    // threads: each further block is read into the next of `count` buffers.
    void keepBlocks(size_t count) { m_in.keepBuffers(count); }

    // errno of the first failure to read, 0 when there was none.
    int error() const { return m_in.error(); }

private:
    // Reads more behind the unread bytes, the buffer grown when they fill
    // it; false when nothing more came.
    bool refill() { return m_opened && m_in.need(m_in.visible() + 1); }

    // Reads past the end of the too long line at the front; false on a
    // failure.
    bool skipLongLine();

    ByteStream m_source;
    BlockReader m_in; // its unread bytes are those not yet given out
    bool m_opened = false;
    bool m_inLongLine = false; // the bytes at the front belong to a too long line
    std::string_view m_lines;  // given out, but not yet split by next()
};

} // namespace wavemark
