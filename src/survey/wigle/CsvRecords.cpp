#include "survey/wigle/CsvRecords.h"

#include "platform/CsvSpecialBytes.h"

#include <bit>
#include <cstring>

namespace wavemark {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnds = "\r\n";

void store(CsvRecord& record, std::string_view field) {
    if (record.count < CsvRecord::kStored) {
        record.fields[record.count] = field;
    }
    ++record.count;
}

} // namespace

CsvRecords::CsvRecords(ByteStream& stream, const CsvReadSizes& sizes)
    : m_stream(stream), m_sizes(sizes) {}

bool CsvRecords::refill() {
    if (!m_buffer) {
        m_capacity = m_sizes.block + m_sizes.longestRecord;
        m_buffer = std::make_unique_for_overwrite<char[]>(m_capacity);
    }
    if (m_begin > 0) {
        std::memmove(m_buffer.get(), m_buffer.get() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_oneLineUntil -= std::min(m_oneLineUntil, m_begin);
        m_begin = 0;
    }
    // A whole block, even from a pipe that gives a little at a time: a record
    // cut short at the end is cut again once per block, not once per read.
    const size_t wanted = m_end + std::min(m_sizes.block, m_capacity - m_end);
    for (size_t got = 1; m_end < wanted && got > 0;) {
        if (const int error = m_stream.read(m_buffer.get() + m_end, wanted - m_end, got)) {
            m_error = error;
            return false;
        }
        m_atEnd = got == 0;
        m_end += got;
    }
    return true;
}

bool CsvRecords::next(CsvRecord& record) {
    for (;;) {
        const std::string_view text(m_buffer.get() + m_begin, m_end - m_begin);
        const bool startUnseen = !m_started && text.size() < kByteOrderMark.size();
        if ((text.empty() || startUnseen) && !m_atEnd) {
            if (!refill()) {
                return false;
            }
            continue;
        }
        if (text.empty()) {
            return false;
        }
        if (!m_started) {
            m_started = true;
            m_begin += text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
            continue;
        }
        if (m_skipping) {
            // A CR LF split here leaves an empty line, which is no record.
            const size_t lineEnd = text.find_first_of(kLineEnds);
            m_skipping = lineEnd == std::string_view::npos;
            m_begin += m_skipping ? text.size() : lineEnd + 1;
            continue;
        }
        const std::string_view window = text.substr(0, m_sizes.longestRecord);
        const bool final = m_atEnd && window.size() == text.size();
        m_recordStart = m_begin;
        size_t used = 0;
        const Cut cut = this->cut(window, final, m_begin < m_oneLineUntil, record, used);
        if (cut == Cut::Record) {
            m_begin += used;
            if (record.count > 0) {
                return true;
            }
            continue;
        }
        // Only bytes beyond the longest record make a record too long.
        if (cut == Cut::NeedMore && window.size() == text.size()) {
            if (!refill()) {
                return false;
            }
            continue;
        }
        if (cut == Cut::NeedMore && window.find_first_of(kLineEnds) == std::string_view::npos) {
            ++m_tooLong;
            m_skipping = true;
            m_begin += window.size();
            continue;
        }
        takeFirstLinePlainly(record);
        return true;
    }
}

void CsvRecords::splitFirstLinePlainly(CsvRecord& record) {
    m_begin = m_recordStart;
    takeFirstLinePlainly(record);
}

void CsvRecords::takeFirstLinePlainly(CsvRecord& record) {
    // Cut at one line each, the lines the record joined are not scanned for
    // a closing quote again: without this, every line of a stray quote's
    // record would scan all the lines after it once more.
    m_oneLineUntil = std::max(m_oneLineUntil, m_begin + m_lastLineStart);
    const std::string_view text(m_buffer.get() + m_begin, m_end - m_begin);
    const size_t lineEnd = std::min(text.find_first_of(kLineEnds), text.size());
    const bool crLf =
        lineEnd + 1 < text.size() && text[lineEnd] == '\r' && text[lineEnd + 1] == '\n';
    const std::string_view line = text.substr(0, lineEnd);
    m_begin += std::min(lineEnd + (crLf ? 2 : 1), text.size());
    record.count = 0;
    record.spansLines = false;
    for (size_t start = 0;;) {
        const size_t comma = line.find(',', start);
        store(record, line.substr(start, comma - start));
        if (comma == std::string_view::npos) {
            return;
        }
        start = comma + 1;
    }
}

CsvRecords::Cut CsvRecords::cut(std::string_view text, bool final, bool oneLine, CsvRecord& record,
                                size_t& used) {
    record.count = 0;
    record.spansLines = false;
    m_unquotedUsed = 0;
    m_lastLineStart = 0;
    const char* const bytes = text.data();
    const size_t size = text.size();
    Field field;
    size_t resume = 0; // commas, quotes and line ends before this are dealt with
    const auto startField = [&](size_t at) {
        field = Field{at};
        if (at < size && bytes[at] == '"') {
            field.quoted = field.inQuotes = true;
            resume = at + 1;
        }
    };
    // The record ends at `at`; a CR LF split by the end of `text` leaves an
    // empty line, which is no record.
    const auto endRecord = [&](size_t at) {
        endField(text, field, at, true, record);
        used = at + (bytes[at] == '\r' && at + 1 < size && bytes[at + 1] == '\n' ? 2 : 1);
        return Cut::Record;
    };
    startField(0);
    for (size_t chunk = 0; chunk < size; chunk += 64) {
        const SpecialMarks found = FindSpecialBytes(text, chunk);
        // Up to the first line end, with it.
        const uint64_t line =
            found.lineEnds == 0 ? ~uint64_t{0} : found.lineEnds ^ (found.lineEnds - 1);
        if (!field.quoted && (found.quotes & line) == 0) {
            // No quote: every comma ends a field, the line end the record.
            for (uint64_t commas = found.commas & line; commas != 0; commas &= commas - 1) {
                const size_t at = chunk + static_cast<size_t>(std::countr_zero(commas));
                store(record, std::string_view(bytes + field.start, at - field.start));
                field.start = at + 1;
            }
            if (found.lineEnds != 0) {
                return endRecord(chunk + static_cast<size_t>(std::countr_zero(found.lineEnds)));
            }
            startField(field.start); // the next chunk may start with a quote
            continue;
        }
        for (uint64_t marks = found.commas | found.lineEnds | found.quotes; marks != 0;
             marks &= marks - 1) {
            const size_t at = chunk + static_cast<size_t>(std::countr_zero(marks));
            if (at < resume) {
                continue;
            }
            const char c = bytes[at];
            if (field.inQuotes) {
                if (c == ',') {
                    continue;
                }
                if (c != '"') {
                    if (oneLine) {
                        return Cut::Unclosed;
                    }
                    field.crossed = record.spansLines = true;
                    m_lastLineStart = at + 1;
                    continue;
                }
                // Only a quote before a comma or the line end closes the
                // field; two quotes are one; any other quote stays, but on
                // a line after the field's first it was a stray quote.
                if (at + 1 >= size && !final) {
                    return Cut::NeedMore;
                }
                const char after = at + 1 < size ? bytes[at + 1] : '\n';
                if (after == '"') {
                    field.doubled = true;
                    resume = at + 2;
                } else if (after == ',' || after == '\n' || after == '\r') {
                    field.inQuotes = false;
                    field.quoteEnd = at;
                } else if (field.crossed) {
                    return Cut::Unclosed;
                }
                continue;
            }
            if (c == '"') {
                continue; // inside a field that did not start with one
            }
            if (c != ',') {
                return endRecord(at);
            }
            endField(text, field, at, false, record);
            startField(at + 1);
        }
    }
    if (!final) {
        return Cut::NeedMore;
    }
    if (field.inQuotes) {
        return Cut::Unclosed;
    }
    endField(text, field, size, true, record);
    used = size;
    return Cut::Record;
}

void CsvRecords::endField(std::string_view text, const Field& field, size_t end, bool lineEnd,
                          CsvRecord& record) {
    if (!field.quoted) {
        if (lineEnd && record.count == 0 && end == field.start) {
            return; // an empty line: no record
        }
        store(record, text.substr(field.start, end - field.start));
        return;
    }
    const std::string_view inside = text.substr(field.start + 1, field.quoteEnd - field.start - 1);
    if (!field.doubled) {
        store(record, inside);
        return;
    }
    // The unquoted copy is never longer than the record: sized once for the
    // longest, it never moves while a record's fields point into it.
    if (m_unquoted.size() < m_sizes.longestRecord) {
        m_unquoted.resize(m_sizes.longestRecord);
    }
    char* const out = m_unquoted.data() + m_unquotedUsed;
    size_t length = 0;
    for (size_t i = 0; i < inside.size(); ++i) {
        out[length++] = inside[i];
        i += inside[i] == '"' && i + 1 < inside.size() && inside[i + 1] == '"' ? 1 : 0;
    }
    m_unquotedUsed += length;
    store(record, std::string_view(out, length));
}

} // namespace wavemark
