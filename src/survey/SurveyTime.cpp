#include "survey/SurveyTime.h"
#include "platform/TextTrim.h"

namespace wavemark {
namespace {

// Reads `minDigits`..`maxDigits` decimal digits at `pos`, moving past them.
std::optional<int> readNumber(std::string_view text, size_t& pos, size_t minDigits,
                              size_t maxDigits) {
    int value = 0;
    size_t digits = 0;
    while (pos < text.size() && digits < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + (text[pos] - '0');
        ++pos;
        ++digits;
    }
    if (digits < minDigits) {
        return std::nullopt;
    }
    return value;
}

bool expect(std::string_view text, size_t& pos, char c) {
    if (pos < text.size() && text[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date.
constexpr int64_t daysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

static_assert(kPackedTimeBase == daysFromCivil(1989, 12, 31) * kSecondsPerDay);

} // namespace

std::optional<int64_t> ParseSurveyDate(std::string_view text) {
    text = Trim(text, kBlanks);
    size_t pos = 0;
    const auto year = readNumber(text, pos, 4, 4);
    if (!year || !expect(text, pos, '-')) {
        return std::nullopt;
    }
    const auto month = readNumber(text, pos, 1, 2);
    if (!month || *month < 1 || *month > 12 || !expect(text, pos, '-')) {
        return std::nullopt;
    }
    const auto day = readNumber(text, pos, 1, 2);
    if (!day || *day < 1 || *day > daysInMonth(*year, *month) || pos != text.size()) {
        return std::nullopt;
    }
    return daysFromCivil(*year, *month, *day);
}

std::optional<int32_t> ParseClockTime(std::string_view text) {
    text = Trim(text, kBlanks);
    size_t pos = 0;
    const auto hours = readNumber(text, pos, 1, 2);
    if (!hours || *hours > 23 || !expect(text, pos, ':')) {
        return std::nullopt;
    }
    const auto minutes = readNumber(text, pos, 1, 2);
    if (!minutes || *minutes > 59 || !expect(text, pos, ':')) {
        return std::nullopt;
    }
    const auto seconds = readNumber(text, pos, 1, 2);
    if (!seconds || *seconds > 59 || pos != text.size()) {
        return std::nullopt;
    }
    return *hours * 3600 + *minutes * 60 + *seconds;
}

std::string CalendarDate(int64_t dayNumber) {
    // Howard Hinnant's civil_from_days, from days since 1970-01-01.
    const int64_t z = dayNumber + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t dayOfEra = z - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    const int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    std::string text = std::to_string(year);
    text.insert(0, text.size() < 4 ? 4 - text.size() : 0, '0');
    for (const int64_t part : {month, day}) {
        text += part < 10 ? "-0" : "-";
        text += std::to_string(part);
    }
    return text;
}

} // namespace wavemark
