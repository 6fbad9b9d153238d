#include "survey/netstumbler/ExportLine.h"

#include "platform/NumericPrefix.h"
#include "platform/TabColumns.h"
#include "platform/TextTrim.h"
#include "survey/SurveyTime.h"

#include <array>
#include <charconv>

namespace wavemark {
namespace {

constexpr size_t kColumnsUsed = 9;

// "N 47.3770150": the number from character 3 on, negated for `negative`.
double coordinate(std::string_view column, char negative) {
    const double value = column.size() > 2 ? NumericPrefix(column.substr(2)) : 0.0;
    return !column.empty() && column[0] == negative ? -value : value;
}

// "-32618", "70" or "70.5": an optional "-", digits, optionally "." and digits.
bool isDecimalNumber(std::string_view text) {
    size_t pos = text.starts_with('-') ? 1 : 0;
    const size_t intStart = pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        ++pos;
    }
    if (pos == intStart) {
        return false;
    }
    if (pos == text.size()) {
        return true;
    }
    if (text[pos] != '.') {
        return false;
    }
    const size_t fractionStart = ++pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        ++pos;
    }
    return pos > fractionStart && pos == text.size();
}

// "[ 20 70 50 ]": drop "[ " and "]", split at single blanks, take piece 2.
std::optional<float> signalLevel(std::string_view column) {
    std::string_view inner = column.substr(2, column.size() - 3);
    const auto firstBlank = inner.find(' ');
    if (firstBlank == std::string_view::npos) {
        return std::nullopt;
    }
    inner.remove_prefix(firstBlank + 1);
    const std::string_view piece = inner.substr(0, inner.find(' '));
    if (!isDecimalNumber(piece)) {
        return std::nullopt;
    }
    float value = 0.0f;
    std::from_chars(piece.data(), piece.data() + piece.size(), value);
    return value;
}

} // namespace

bool IsNetStumblerExport(std::string_view firstLine) {
    return firstLine.find("Network Stumbler") != std::string_view::npos;
}

bool IsMalformedLine(std::string_view line) {
    return !line.empty() && !line.starts_with('#');
}

bool IsDateLine(std::string_view line) {
    return line.starts_with(kDateLineTag);
}

std::string_view DateText(std::string_view line) {
    return line.size() > 12 ? line.substr(12) : std::string_view{};
}

DateInForce::DateInForce(std::string_view text) : m_text(text), m_day(ParseSurveyDate(text)) {}

DateInForce ReadHeaderDate(LineStream& lines) {
    std::string_view line;
    for (int number = 1; number <= 4; ++number) {
        if (!lines.next(line)) {
            return DateInForce();
        }
    }
    return DateInForce(DateText(line));
}

std::optional<ExportReading> ReadDataLine(std::string_view line, const DateInForce& date,
                                          size_t maxColumns) {
    std::array<std::string_view, kColumnsUsed> columns;
    const size_t count = SplitAtTabs(line, columns, maxColumns);
    if (count < kColumnsUsed || count > maxColumns) {
        return std::nullopt;
    }
    if (columns[2].size() < 4 || columns[4].size() < 19 || columns[5].size() < 8 ||
        columns[6].size() < 3 || columns[8].size() < 4) {
        return std::nullopt;
    }
    const auto signal = signalLevel(columns[6]);
    if (!signal || !date.day()) {
        return std::nullopt;
    }
    const auto secondOfDay = ParseClockTime(columns[5].substr(0, 8));
    if (!secondOfDay) {
        return std::nullopt;
    }
    const auto time = ExportLineTime(*date.day(), *secondOfDay);
    if (!time) {
        return std::nullopt;
    }
    ExportReading reading;
    reading.lat = coordinate(columns[0], 'S');
    reading.lon = coordinate(columns[1], 'W');
    reading.networkName = Trim(columns[2].substr(2, columns[2].size() - 4), kSpaces);
    reading.bssid = columns[4];
    reading.time = *time;
    reading.signal = *signal;
    reading.wepDigit = columns[8][2];
    reading.modeDigit = columns[8][3];
    return reading;
}

} // namespace wavemark
