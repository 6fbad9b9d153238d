#include "survey/netstumbler/LeanLine.h"

#include "platform/ByteMarks.h"
#include "platform/NumericPrefix.h"
#include "survey/BssidText.h"
#include "survey/SurveyTime.h"

#include <algorithm>
#include <array>
#include <bit>
#include <span>

namespace wavemark {
namespace {

// A reading of NetStumbler's layout has 13 columns at most, and a line this
// long is no such reading; longer lines go to the general reader.
constexpr size_t kLongestLean = 512;

// The columns of the line `text` starts with, cut at its TABs, and the bytes
// the line takes with its line end (LF, CR LF or a lone CR). The TABs and
// line ends are found 64 bytes at a time. False when the line is longer than
// kLongestLean or has more than `limit` columns.
bool cutLine(std::string_view text, std::span<std::string_view> columns, size_t limit,
             size_t& count, size_t& taken) {
    count = 0;
    size_t start = 0;
    for (size_t offset = 0; offset < text.size() && offset < kLongestLean; offset += 64) {
        const auto [tabs, lfs, crs] = ByteMarksAt(text, offset, std::array{'\t', '\n', '\r'});
        const uint64_t lineEnds = lfs | crs;
        // The TABs before the first line end, or all of them.
        const uint64_t before = lineEnds == 0 ? ~uint64_t{0} : (lineEnds & -lineEnds) - 1;
        for (uint64_t marks = tabs & before; marks != 0; marks &= marks - 1) {
            const size_t at = offset + static_cast<size_t>(std::countr_zero(marks));
            if (count + 1 >= limit) {
                return false;
            }
            columns[count++] = text.substr(start, at - start);
            start = at + 1;
        }
        if (lineEnds != 0 || offset + 64 >= text.size()) {
            const size_t end =
                std::min(text.size(), offset + static_cast<size_t>(std::countr_zero(lineEnds)));
            columns[count++] = text.substr(start, end - start);
            const bool crlf = end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n';
            taken = std::min(text.size(), end + (crlf ? 2 : 1));
            return true;
        }
    }
    return false;
}

// "N 47.3770150", with a fraction, read as the general reader reads it.
bool coordinate(std::string_view column, char positive, char negative, double& value) {
    if (column.size() < 3 || (column[0] != positive && column[0] != negative) || column[1] != ' ') {
        return false;
    }
    const std::string_view text = column.substr(2);
    double magnitude = 0.0;
    if (const auto quick = ShortDecimal(text)) {
        magnitude = *quick;
    } else {
        const auto number = PlainDecimal(text);
        if (!number || number->fractionDigits == 0 || number->length != text.size()) {
            return false;
        }
        magnitude = number->value;
    }
    value = column[0] == negative ? -magnitude : magnitude;
    return true;
}

// "( 00:0b:86:c2:e1:40 )".
bool address(std::string_view column, uint64_t& value) {
    const auto canonical = CanonicalAddress(column);
    if (!canonical) {
        return false;
    }
    value = *canonical;
    return true;
}

int twoDigits(const char* text) {
    const bool digits = text[0] >= '0' && text[0] <= '9' && text[1] >= '0' && text[1] <= '9';
    return digits ? (text[0] - '0') * 10 + (text[1] - '0') : -1;
}

// "12:34:56" and any rest of the column.
bool clockTime(std::string_view column, int32_t& secondOfDay) {
    if (column.size() < 8) {
        return false;
    }
    const char* text = column.data();
    const int hours = twoDigits(text);
    const int minutes = twoDigits(text + 3);
    const int seconds = twoDigits(text + 6);
    if (text[2] != ':' || text[5] != ':' || hours < 0 || hours > 23 || minutes < 0 ||
        minutes > 59 || seconds < 0 || seconds > 59) {
        return false;
    }
    secondOfDay = hours * 3600 + minutes * 60 + seconds;
    return true;
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
    if (!date.day() || text.empty() || (text[0] != 'N' && text[0] != 'S')) {
        return 0;
    }
    // Latitude, longitude, name, type, BSSID, time, signal, owner, flags.
    std::array<std::string_view, kTextExportColumnLimit> columns;
    size_t count = 0;
    size_t taken = 0;
    int32_t secondOfDay = 0;
    if (!cutLine(text, columns, kTextExportColumnLimit, count, taken) || count < 9 ||
        !coordinate(columns[0], 'N', 'S', reading.lat) ||
        !coordinate(columns[1], 'E', 'W', reading.lon) || columns[2].size() < 4 ||
        !address(columns[4], reading.address) || !clockTime(columns[5], secondOfDay) ||
        !signalLevel(columns[6], reading.signal) || columns[8].size() < 4) {
        return 0;
    }
    const auto time = ExportLineTime(*date.day(), secondOfDay);
    if (!time) {
        return 0;
    }
    reading.time = *time;
    reading.protection = ProtectionOfFlagChar(columns[8][2]);
    return taken;
}

} // namespace wavemark
