#include "survey/ns1/FileTime.h"

namespace wavemark::ns1 {
namespace {

constexpr int64_t kSecondsPerDay = 86400;
// Days from 1601-01-01 to 1970-01-01.
constexpr int64_t kUnixEpochDay = 134774;

int64_t floorDiv(int64_t value, int64_t divisor) {
    const int64_t quotient = value / divisor;
    return quotient * divisor > value ? quotient - 1 : quotient;
}

// The proleptic Gregorian date of a day counted from 1970-01-01 (the
// days-from-civil method run backwards, by eras of 400 years).
void civilFromDays(int64_t day, int64_t& year, int64_t& month, int64_t& dayOfMonth) {
    day += 719468;
    const int64_t era = floorDiv(day, 146097);
    const int64_t dayOfEra = day - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    dayOfMonth = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
}

void appendDigits(std::string& out, int64_t value, size_t width) {
    std::string digits = std::to_string(value);
    out.append(width > digits.size() ? width - digits.size() : 0, '0').append(digits);
}

} // namespace

std::string DateOfFileTime(uint64_t ticks) {
    const auto day = static_cast<int64_t>(ticks / kFileTimeTicksPerSecond / kSecondsPerDay);
    int64_t year = 0, month = 0, dayOfMonth = 0;
    civilFromDays(day - kUnixEpochDay, year, month, dayOfMonth);
    std::string text;
    appendDigits(text, year, 4);
    text += '-';
    appendDigits(text, month, 2);
    text += '-';
    appendDigits(text, dayOfMonth, 2);
    return text;
}

} // namespace wavemark::ns1
