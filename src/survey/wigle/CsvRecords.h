#pragma once

#include "platform/ByteStream.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace wavemark {

// The fields of one CSV record, valid until the next record is asked for.
struct CsvRecord {
    static constexpr size_t kStored = 64;

    std::array<std::string_view, kStored> fields;
    size_t count = 0;        // every field of the record, also those past kStored
    bool spansLines = false; // a quoted field held a line break

    std::string_view operator[](size_t i) const {
        return i < std::min(count, kStored) ? fields[i] : std::string_view{};
    }
    std::string_view last() const { return count == 0 ? std::string_view{} : (*this)[count - 1]; }
};

struct CsvReadSizes {
    size_t block = size_t{4} << 20; // bytes asked of the stream at once
    // A record may not be longer: a longer line is skipped (tooLong()), and a
    // quoted field still open after this many bytes is taken to be a stray
    // quote (see CsvRecords).
    size_t longestRecord = size_t{1} << 20;
};

// The records of a CSV file as RFC 4180 writes them, read front to back in
// large blocks: fields end at commas, records at line ends (LF, CR LF or a
// lone CR, mixed as they come); a field that starts with a quote runs to the
// quote that closes it, may hold commas and line breaks, and writes a quote
// as two. Empty lines are no records, and a UTF-8 byte order mark at the
// start is dropped.
//
// Writers in the field bend the rules, so the reader is lenient: a quote
// inside a field that did not start with one is a character like any other,
// and on the line a quoted field starts on, a quote in it not followed by a
// quote, a comma or the line end is kept as it stands (firmware that wraps
// names in quotes without doubling those inside: "Free" Wifi).
//
// Only a writer that keeps the rules puts a line break inside quotes, so on
// the lines after its first such a quote shows that the field began with a
// stray quote, as does a quoted field still open at the end of the file or
// past the longest record. Its record's first line is then split at every
// comma, quotes and all, as is that of a record that spans lines but does
// not read as its caller expects (splitFirstLinePlainly). The lines such a
// record joined, up to the one it ended on, are then read as records of one
// line each: a quoted field that does not close on its line has its line
// split plainly at once. So a byte is scanned by at most two records, and a
// file of stray quotes takes time in proportion to its size.
//
// Fields are cut where they lie, found 64 bytes at a time
// (platform/CsvSpecialBytes.h); only a field that writes a quote as two is
// copied, to undo that.
class CsvRecords {
public:
    CsvRecords(ByteStream& stream, const CsvReadSizes& sizes = {});
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

    int error() const { return m_error; }
    // Lines skipped for being longer than the longest record.
    int64_t tooLong() const { return m_tooLong; }

private:
    enum class Cut { Record, NeedMore, Unclosed };
    // The field being cut.
    struct Field {
        size_t start = 0;
        bool quoted = false;   // it starts with a quote
        bool inQuotes = false; // its closing quote is still to come
        bool doubled = false;  // it holds a quote written as two
        bool crossed = false;  // it holds a line break
        size_t quoteEnd = 0;   // where its closing quote stands
    };

    bool refill();
    // Cuts the record `text` starts with; `final` when no byte follows
    // `text`, `oneLine` when a quoted field may not hold a line break. `used`
    // is its length with its line end.
    Cut cut(std::string_view text, bool final, bool oneLine, CsvRecord& record, size_t& used);
    void endField(std::string_view text, const Field& field, size_t end, bool lineEnd,
                  CsvRecord& record);
    // The record from m_begin on as its first line split plainly, the lines
    // the cut of it joined to be read one line each.
    void takeFirstLinePlainly(CsvRecord& record);

    ByteStream& m_stream;
    CsvReadSizes m_sizes;
    std::unique_ptr<char[]> m_buffer;
    size_t m_capacity = 0;
    size_t m_begin = 0; // first byte not yet given out
    size_t m_end = 0;   // one past the last byte read
    size_t m_recordStart = 0;
    size_t m_lastLineStart = 0; // of the last line the latest cut entered, from its record
    size_t m_oneLineUntil = 0;  // records that start before this are cut at one line
    bool m_atEnd = false;
    bool m_started = false;
    bool m_skipping = false; // inside a line that is too long
    int m_error = 0;
    int64_t m_tooLong = 0;
    std::string m_unquoted; // quoted fields with doubled quotes, undone
    size_t m_unquotedUsed = 0;
};

} // namespace wavemark
