#include "survey/netstumbler/LeanLine.h"

#include "platform/NumericPrefix.h"
#include "survey/BssidText.h"
#include "survey/SurveyTime.h"

namespace wavemark {
namespace {

// Walks a line byte by byte; every step fails at the line's end.
class Cursor {
public:
    explicit Cursor(std::string_view text) : m_at(text.data()), m_end(text.data() + text.size()) {}

    size_t left() const { return static_cast<size_t>(m_end - m_at); }
    char peek() const { return m_at < m_end ? *m_at : '\0'; }
    bool take(char c) {
        if (m_at < m_end && *m_at == c) {
            ++m_at;
            return true;
        }
        return false;
    }
    const char* at() const { return m_at; }
    void skip(size_t count) { m_at += count; }

    // Up to the next TAB, which is taken; false at a line end first.
    bool toTab(std::string_view& column) {
        const char* start = m_at;
        for (; m_at < m_end; ++m_at) {
            const char c = *m_at;
            if (c == '\t') {
                column = std::string_view(start, static_cast<size_t>(m_at - start));
                ++m_at;
                return true;
            }
            if (c == '\n' || c == '\r') {
                return false;
            }
        }
        return false;
    }

    // The TABs left before the line end, counted up to `limit` + 1; then the
    // line end is taken.
    size_t tabsToLineEnd(size_t limit) {
        size_t tabs = 0;
        for (; m_at < m_end && tabs <= limit; ++m_at) {
            const char c = *m_at;
            if (c == '\t') {
                ++tabs;
            } else if (c == '\n' || c == '\r') {
                break;
            }
        }
        if (tabs <= limit && m_at < m_end) {
            const bool crlf = *m_at == '\r' && m_at + 1 < m_end && m_at[1] == '\n';
            m_at += crlf ? 2 : 1;
        }
        return tabs;
    }

private:
    const char* m_at;
    const char* m_end;
};

// "47.3770150" up to the TAB, with a fraction, read as the general reader
// reads it.
bool coordinate(Cursor& cursor, char positive, char negative, double& value) {
    const bool south = cursor.peek() == negative;
    if (!(cursor.take(positive) || cursor.take(negative)) || !cursor.take(' ')) {
        return false;
    }
    const auto number = PlainDecimal(std::string_view(cursor.at(), cursor.left()));
    if (!number || number->fractionDigits == 0) {
        return false;
    }
    cursor.skip(number->length);
    value = south ? -number->value : number->value;
    return cursor.take('\t');
}

// "( 00:0b:86:c2:e1:40 )" and its TAB.
bool address(Cursor& cursor, uint64_t& value) {
    constexpr size_t kSize = 21;
    if (cursor.left() <= kSize) {
        return false;
    }
    const auto canonical = CanonicalAddress(std::string_view(cursor.at(), kSize));
    if (!canonical) {
        return false;
    }
    value = *canonical;
    cursor.skip(kSize);
    return cursor.take('\t');
}

int twoDigits(const char* text) {
    const bool digits = text[0] >= '0' && text[0] <= '9' && text[1] >= '0' && text[1] <= '9';
    return digits ? (text[0] - '0') * 10 + (text[1] - '0') : -1;
}

// "12:34:56", the rest of the column up to its TAB.
bool clockTime(Cursor& cursor, int32_t& secondOfDay) {
    if (cursor.left() < 8) {
        return false;
    }
    const char* text = cursor.at();
    const int hours = twoDigits(text);
    const int minutes = twoDigits(text + 3);
    const int seconds = twoDigits(text + 6);
    if (text[2] != ':' || text[5] != ':' || hours < 0 || hours > 23 || minutes < 0 ||
        minutes > 59 || seconds < 0 || seconds > 59) {
        return false;
    }
    secondOfDay = hours * 3600 + minutes * 60 + seconds;
    cursor.skip(8);
    std::string_view rest;
    return cursor.toTab(rest);
}

// "[ 20 70 50 ]": the second whole number, as the general reader takes it
// (between the first and the second blank after "[ ").
bool signalLevel(std::string_view column, float& level) {
    if (column.size() < 3 || column[0] != '[' || column[1] != ' ') {
        return false;
    }
    const char* at = column.data() + 2;
    const char* const end = column.data() + column.size() - 1;
    while (at < end && *at != ' ') {
        ++at;
    }
    if (at == end) {
        return false;
    }
    const bool negative = ++at < end && *at == '-';
    at += negative ? 1 : 0;
    const char* const digits = at;
    int32_t value = 0;
    for (; at < end && *at >= '0' && *at <= '9' && at - digits < 7; ++at) {
        value = value * 10 + (*at - '0');
    }
    const size_t count = static_cast<size_t>(at - digits);
    // "-0" reads as -0.0, which an int cannot hold.
    if (count == 0 || count > 6 || (at < end && *at != ' ') || (negative && value == 0)) {
        return false;
    }
    level = static_cast<float>(negative ? -value : value);
    return true;
}

} // namespace

size_t ReadLeanLine(std::string_view text, const DateInForce& date, LeanReading& reading) {
    if (!date.day()) {
        return 0;
    }
    Cursor cursor(text);
    std::string_view name, type, signal, owner, flags;
    int32_t secondOfDay = 0;
    if (!coordinate(cursor, 'N', 'S', reading.lat) || !coordinate(cursor, 'E', 'W', reading.lon) ||
        !cursor.toTab(name) || name.size() < 4 || !cursor.toTab(type) ||
        !address(cursor, reading.address) || !clockTime(cursor, secondOfDay) ||
        !cursor.toTab(signal) || !signalLevel(signal, reading.signal) || !cursor.toTab(owner)) {
        return 0;
    }
    // The flag column, then any columns up to the thirteenth.
    const char* flagStart = cursor.at();
    const size_t tabsLeft = cursor.tabsToLineEnd(kTextExportColumnLimit - 9);
    if (tabsLeft > kTextExportColumnLimit - 9) {
        return 0;
    }
    flags = std::string_view(flagStart, static_cast<size_t>(cursor.at() - flagStart));
    size_t flagLength = 0;
    while (flagLength < flags.size() && flags[flagLength] != '\t' && flags[flagLength] != '\r' &&
           flags[flagLength] != '\n') {
        ++flagLength;
    }
    if (flagLength < 4) {
        return 0;
    }
    const auto time = ExportLineTime(*date.day(), secondOfDay);
    if (!time) {
        return 0;
    }
    reading.time = *time;
    reading.protection = ProtectionOfFlagChar(flags[2]);
    return static_cast<size_t>(cursor.at() - text.data());
}

} // namespace wavemark
