#include "platform/CsvTokenizer.h"

#include "platform/CsvSpecialBytes.h"

#include <bit>
#include <cstdint>

namespace wavemark {
namespace {

void store(CsvRecord& record, std::string_view field) {
    if (record.count < CsvRecord::kStored) {
        record.fields[record.count] = field;
    }
    ++record.count;
}

size_t lowestBit(uint64_t marks) {
    return static_cast<size_t>(std::countr_zero(marks));
}

} // namespace

CsvCut CsvTokenizer::cut(std::string_view text, bool final, bool oneLine, CsvRecord& record,
                         size_t& used) {
    record.count = 0;
    record.spansLines = false;
    record.unquotedCopy = false;
    m_unquotedUsed = 0;
    m_lastLineStart = 0;
    const char* const bytes = text.data();
    const size_t size = text.size();
    Field field;
    size_t resume = 0; // special bytes before this are dealt with
    const auto startField = [&](size_t at) {
        field = Field{at};
        if (at < size && bytes[at] == '"') {
            field.quoted = field.inQuotes = true;
            resume = at + 1;
        }
    };
    // A CR LF split by the end of `text` leaves an empty line: no record.
    const auto endRecord = [&](size_t at) {
        endField(text, field, at, true, record);
        used = at + (bytes[at] == '\r' && at + 1 < size && bytes[at + 1] == '\n' ? 2 : 1);
        return CsvCut::Record;
    };
    startField(0);
    for (size_t chunk = 0; chunk < size; chunk += 64) {
        const SpecialMarks found = FindSpecialBytes(text, chunk);
        // Outside quotes and with no quote up to the line end, every comma
        // ends a field and the line end the record, told by their masks.
        const uint64_t toLineEnd =
            found.lineEnds == 0 ? ~uint64_t{0} : found.lineEnds ^ (found.lineEnds - 1);
        if (!field.quoted && (found.quotes & toLineEnd) == 0) {
            for (uint64_t commas = found.commas & toLineEnd; commas != 0; commas &= commas - 1) {
                const size_t at = chunk + lowestBit(commas);
                store(record, std::string_view(bytes + field.start, at - field.start));
                field.start = at + 1;
            }
            if (found.lineEnds != 0) {
                return endRecord(chunk + lowestBit(found.lineEnds));
            }
            startField(field.start); // the next chunk may start with a quote
            continue;
        }
        // Else one special byte at a time.
        for (uint64_t marks = found.commas | found.lineEnds | found.quotes; marks != 0;
             marks &= marks - 1) {
            const size_t at = chunk + lowestBit(marks);
            if (at < resume) {
                continue;
            }
            const char c = bytes[at];
            if (!field.inQuotes) {
                if (c == ',') {
                    endField(text, field, at, false, record);
                    startField(at + 1);
                } else if (c != '"') {
                    return endRecord(at);
                }
                continue; // a quote inside a field that did not start with one
            }
            if (c == ',') {
                continue;
            }
            if (c != '"') {
                if (oneLine) {
                    return CsvCut::Unclosed;
                }
                field.crossed = record.spansLines = true;
                m_lastLineStart = at + 1;
                continue;
            }
            // A quote in quotes: before a comma or the line end it closes
            // the field, two are one, and any other stays as it stands on
            // the field's first line but shows a stray quote on a later one.
            if (at + 1 >= size && !final) {
                return CsvCut::NeedMore;
            }
            const char after = at + 1 < size ? bytes[at + 1] : '\n';
            if (after == '"') {
                field.doubled = true;
                resume = at + 2;
            } else if (after == ',' || after == '\n' || after == '\r') {
                field.inQuotes = false;
                field.quoteEnd = at;
            } else if (field.crossed) {
                return CsvCut::Unclosed;
            }
        }
    }
    if (!final) {
        return CsvCut::NeedMore;
    }
    if (field.inQuotes) {
        return CsvCut::Unclosed;
    }
    endField(text, field, size, true, record);
    used = size;
    return CsvCut::Record;
}

void CsvTokenizer::endField(std::string_view text, const Field& field, size_t end, bool lineEnd,
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
    if (m_unquoted.size() < m_longestRecord) {
        m_unquoted.resize(m_longestRecord);
    }
    char* const out = m_unquoted.data() + m_unquotedUsed;
    size_t length = 0;
    for (size_t i = 0; i < inside.size(); ++i) {
        out[length++] = inside[i];
        i += inside[i] == '"' && i + 1 < inside.size() && inside[i + 1] == '"' ? 1 : 0;
    }
    m_unquotedUsed += length;
    record.unquotedCopy = true;
    store(record, std::string_view(out, length));
}

void SplitCsvLinePlainly(std::string_view line, CsvRecord& record) {
    record.count = 0;
    record.spansLines = false;
    record.unquotedCopy = false;
    for (size_t start = 0;;) {
        const size_t comma = line.find(',', start);
        store(record, line.substr(start, comma - start));
        if (comma == std::string_view::npos) {
            return;
        }
        start = comma + 1;
    }
}

} // namespace wavemark
