#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace wavemark {

// The fields of one CSV record, valid until the next record is cut.
struct CsvRecord {
    static constexpr size_t kStored = 64;

    std::array<std::string_view, kStored> fields;
    size_t count = 0;        // every field of the record, also those past kStored
    bool spansLines = false; // a quoted field held a line break
    // A field wrote a quote as two: it was copied, undone, into the
    // tokenizer's own memory, which the next record reuses.
    bool unquotedCopy = false;

    std::string_view operator[](size_t i) const {
        return i < std::min(count, kStored) ? fields[i] : std::string_view{};
    }
    std::string_view last() const { return count == 0 ? std::string_view{} : (*this)[count - 1]; }
};

enum class CsvCut {
    Record,   // a whole record
    NeedMore, // the text ends before the record does
    Unclosed, // a quoted field that began with a stray quote (see below)
};

// Cuts CSV records as RFC 4180 writes them, with the leniency writers in the
// field call for. It accepts:
// - fields that end at commas, records that end at a line end: LF, CR LF or a
//   lone CR, mixed as they come; an empty line, as a record of no fields;
// - a field that starts with a quote: it runs to a quote followed by a comma
//   or a line end, and holds commas, line breaks and quotes written as two;
// - a quote inside a field that did not start with one, as a character;
// - on the line a quoted field starts on, a quote in it that is followed by
//   none of quote, comma or line end, as a character ("Free" Wifi, from
//   firmware that wraps names in quotes without doubling those inside).
// Only a writer that keeps the rules puts a line break inside quotes, so such
// a quote on a later line, or quotes still open where the text ends, make
// the field one that began with a stray quote: Unclosed, and the caller reads
// its line with SplitCsvLinePlainly.
//
// The commas, quotes and line ends are found 64 bytes at a time
// (platform/CsvSpecialBytes.h), so the bytes between them are not looked at;
// fields are cut where they lie, and only one that writes a quote as two is
// copied, to undo that.
class CsvTokenizer {
public:
    // `longestRecord`: the longest text cut() is given.
    explicit CsvTokenizer(size_t longestRecord) : m_longestRecord(longestRecord) {}

    // Cuts the record `text` starts with into `record`; `final` when no byte
    // follows `text`, `oneLine` when a quoted field may not hold a line break
    // (it is Unclosed). `used` is the record's length with its line end.
    CsvCut cut(std::string_view text, bool final, bool oneLine, CsvRecord& record, size_t& used);

    // Where the last line the latest cut entered starts, from its record's
    // start.
    size_t lastLineStart() const { return m_lastLineStart; }

private:
    struct Field {
        size_t start = 0;
        bool quoted = false;   // it starts with a quote
        bool inQuotes = false; // its closing quote is still to come
        bool doubled = false;  // it holds a quote written as two
        bool crossed = false;  // it holds a line break
        size_t quoteEnd = 0;   // where its closing quote stands
    };

    void endField(std::string_view text, const Field& field, size_t end, bool lineEnd,
                  CsvRecord& record);

    size_t m_longestRecord;
    size_t m_lastLineStart = 0;
    std::string m_unquoted; // quoted fields with doubled quotes, undone
    size_t m_unquotedUsed = 0;
};

// `line` split at every comma, quotes and all: the record of a line whose
// quotes do not follow the rules.
void SplitCsvLinePlainly(std::string_view line, CsvRecord& record);

} // namespace wavemark
