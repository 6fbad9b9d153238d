#pragma once

#include "platform/BlockReader.h"
#include "platform/ByteStream.h"
#include "platform/CsvTokenizer.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace wavemark {

// How the records of a part of a file start, from what the bytes before it
// left.
struct CsvCutStart {
    bool skipping = false;   // inside a line too long to be a record
    uint64_t oneLineFor = 0; // bytes whose records are cut at one line each
};

struct CsvReadSizes {
    size_t block = size_t{1} << 20; // bytes asked of the stream at once
    // A record may not be longer: a longer line is skipped (tooLong()), and a
    // quoted field still open after this many bytes is taken to be a stray
    // quote (see CsvTokenizer).
    size_t longestRecord = size_t{1} << 20;
};

// The records of a CSV file (as CsvTokenizer cuts them), read front to back
// in large blocks. Empty lines are no records, and a UTF-8 byte order mark at
// the start is dropped.
//
// A record whose quoted field began with a stray quote has its first line
// split at every comma, quotes and all, as has that of a record that spans
// lines but does not read as its caller expects (splitFirstLinePlainly). The
// lines such a record joined, up to the one it ended on, are then read as
// records of one line each: a quoted field that does not close on its line
// has its line split plainly at once. So a byte is cut by at most two
// records, and a file of stray quotes takes time in proportion to its size.
//
// The records of a large file can also be cut in parts, side by side: a
// reader takes the bytes after its latest record in blocks of whole lines
// (nextBlock) and cuts each as a text of its own, from where the block
// before left it (CsvCutStart).
class CsvRecords {
public:
    CsvRecords(ByteStream& stream, const CsvReadSizes& sizes = {});
    // The records of `text`, a part of a file from `start` on, that ends the
    // file when `final`. Otherwise next() gives false at the first record
    // that the bytes after `text` might cut otherwise: finishedAt() tells
    // where the part after it is to start.
    CsvRecords(std::string_view text, bool final, const CsvCutStart& start,
               const CsvReadSizes& sizes = {});
    CsvRecords(const CsvRecords&) = delete;
    CsvRecords& operator=(const CsvRecords&) = delete;

    // The next record; false at the end of the stream or when reading failed
    // (error() then says why).
    bool next(CsvRecord& record);

    // For a record that spans lines but does not read as its caller expects:
    // takes it back and gives its first line instead, split at every comma
    // with its quotes as they stand; the lines after it are read next, one
    // line each up to the record's last.
    void splitFirstLinePlainly(CsvRecord& record);

    // The bytes after the latest record up to the last line end among
    // those a read of a block gives (all of them where none is, or at the
    // end of the stream), taken; `start` is how its records start. `last`
    // when the stream ends with them: the last block, which may be empty,
    // settles what the one before left. False after it, or when reading
    // failed. The blocks of the last `count` calls stay in place when
    // keepBlocks(count) was called first. Lines are not counted in blocks:
    // line() stays where next() left it.
    bool nextBlock(std::string_view& text, bool& last, CsvCutStart& start);
    void keepBlocks(size_t count) { m_in.keepBuffers(count); }

    // For a text given whole: where the part after it is to start, once
    // next() gave false; `unfinished` bytes at its end belong to a record
    // the bytes after it decide.
    CsvCutStart finishedAt(size_t& unfinished) const;

    // The line the latest record starts on, from 1, as an editor counts
    // lines.
    int64_t line() const { return m_line; }
    int error() const { return m_in.error(); }
    // Lines skipped for being longer than the longest record.
    int64_t tooLong() const { return m_tooLong; }

private:
    bool refill();
    // How records start at the bytes not yet taken.
    CsvCutStart startHere() const;
    // Takes `count` bytes, counting their line ends: only the last two bytes
    // are looked at when `lineEndLast`.
    void take(size_t count, bool lineEndLast);
    // The record at the front as its first line split plainly, the lines
    // the cut of it joined to be read one line each.
    void takeFirstLinePlainly(CsvRecord& record);

    BlockReader m_in;
    CsvTokenizer m_tokenizer;
    CsvReadSizes m_sizes;
    size_t m_given = 0; // the latest record's bytes, taken at the next call
    bool m_givenSpansLines = false;
    uint64_t m_oneLineUntil = 0; // records that start before this are cut at one line
    bool m_started = false;
    bool m_whole = false; // a text given whole: nothing more is read
    bool m_gaveLast = false;
    bool m_skipping = false; // inside a line that is too long
    int64_t m_tooLong = 0;
    int64_t m_linesTaken = 0; // line ends taken, CR LF as one
    bool m_afterCr = false;   // the last byte taken was a CR
    int64_t m_line = 0;
};

} // namespace wavemark
