#include "platform/CsvRecords.h"

#include <algorithm>
#include <string_view>

namespace wavemark {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnds = "\r\n";

} // namespace

CsvRecords::CsvRecords(ByteStream& stream, const CsvReadSizes& sizes)
    : m_in(stream, sizes.block, sizes.longestRecord), m_tokenizer(sizes.longestRecord),
      m_sizes(sizes) {}

CsvRecords::CsvRecords(std::string_view text, bool final, const CsvCutStart& start,
                       const CsvReadSizes& sizes)
    : m_in(text, final), m_tokenizer(sizes.longestRecord), m_sizes(sizes),
      m_oneLineUntil(start.oneLineFor), m_started(true), m_whole(true), m_skipping(start.skipping) {
}

CsvCutStart CsvRecords::startHere() const {
    return {m_skipping, m_oneLineUntil - std::min(m_oneLineUntil, m_in.taken())};
}

CsvCutStart CsvRecords::finishedAt(size_t& unfinished) const {
    unfinished = m_in.visible();
    return startHere();
}

bool CsvRecords::nextBlock(std::string_view& text, bool& last, CsvCutStart& start) {
    if (m_gaveLast) {
        return false;
    }
    take(m_given, !m_givenSpansLines);
    m_given = 0;
    if (!m_in.ended()) {
        m_in.hold();
        if (!m_in.need(m_in.visible() + m_sizes.block) && m_in.error() != 0) {
            return false;
        }
    }
    const std::string_view bytes(m_in.data(), m_in.visible());
    const size_t lastLineEnd = bytes.find_last_of(kLineEnds);
    const size_t size =
        m_in.ended() || lastLineEnd == std::string_view::npos ? bytes.size() : lastLineEnd + 1;
    text = bytes.substr(0, size);
    last = m_gaveLast = m_in.ended() && size == bytes.size();
    start = startHere();
    m_skipping = false;
    take(size, true);
    return true;
}

bool CsvRecords::refill() {
    if (m_whole) {
        return false;
    }
    // A whole block, even from a pipe that gives a little at a time: a record
    // cut short at the end is cut again once per block, not once per read.
    return m_in.need(m_in.visible() + m_sizes.block) || m_in.error() == 0;
}

void CsvRecords::take(size_t count, bool lineEndLast) {
    // A line end that is not the last byte taken lies in a quoted field;
    // a CR LF may come in two takes.
    const char* const bytes = m_in.data();
    for (size_t i = lineEndLast ? count - std::min<size_t>(count, 2) : 0; i < count; ++i) {
        m_linesTaken += bytes[i] == '\r' || (bytes[i] == '\n' && !m_afterCr) ? 1 : 0;
        m_afterCr = bytes[i] == '\r';
    }
    m_in.take(count);
}

bool CsvRecords::next(CsvRecord& record) {
    take(m_given, !m_givenSpansLines);
    m_given = 0;
    for (;;) {
        const std::string_view text(m_in.data(), m_in.visible());
        const bool startUnseen = !m_started && text.size() < kByteOrderMark.size();
        if ((text.empty() || startUnseen) && !m_in.ended()) {
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
            m_in.take(text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0);
            continue;
        }
        if (m_skipping) {
            // A CR LF split here leaves an empty line, which is no record.
            const size_t lineEnd = text.find_first_of(kLineEnds);
            m_skipping = lineEnd == std::string_view::npos;
            take(m_skipping ? text.size() : lineEnd + 1, true);
            continue;
        }
        const std::string_view window = text.substr(0, m_sizes.longestRecord);
        const bool final = m_in.ended() && window.size() == text.size();
        m_line = m_linesTaken + 1;
        size_t used = 0;
        const CsvCut cut =
            m_tokenizer.cut(window, final, m_in.taken() < m_oneLineUntil, record, used);
        if (cut == CsvCut::Record) {
            if (record.count > 0) {
                m_given = used;
                m_givenSpansLines = record.spansLines;
                return true;
            }
            take(used, true);
            continue;
        }
        // Only bytes beyond the longest record make a record too long.
        if (cut == CsvCut::NeedMore && window.size() == text.size()) {
            if (!refill()) {
                return false;
            }
            continue;
        }
        if (cut == CsvCut::NeedMore && window.find_first_of(kLineEnds) == std::string_view::npos) {
            ++m_tooLong;
            m_skipping = true;
            take(window.size(), true);
            continue;
        }
        takeFirstLinePlainly(record);
        return true;
    }
}

void CsvRecords::splitFirstLinePlainly(CsvRecord& record) {
    m_given = 0;
    takeFirstLinePlainly(record);
}

void CsvRecords::takeFirstLinePlainly(CsvRecord& record) {
    // Cut at one line each, the lines the record joined are not scanned for
    // a closing quote again: without this, every line of a stray quote's
    // record would scan all the lines after it once more.
    m_oneLineUntil = std::max(m_oneLineUntil, m_in.taken() + m_tokenizer.lastLineStart());
    const std::string_view text(m_in.data(), m_in.visible());
    const size_t lineEnd = std::min(text.find_first_of(kLineEnds), text.size());
    const bool crLf =
        lineEnd + 1 < text.size() && text[lineEnd] == '\r' && text[lineEnd + 1] == '\n';
    SplitCsvLinePlainly(text.substr(0, lineEnd), record);
    m_given = std::min(lineEnd + (crLf ? 2 : 1), text.size());
    m_givenSpansLines = false;
}

} // namespace wavemark
