#include "CivilTime.h"

namespace wavemark {

namespace {

// Proleptic Gregorian calendar by the days-from-civil method (era of 400
// years); only dates after 1970 occur, but the arithmetic holds either way.
int64_t daysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2 ? 1 : 0;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(int64_t z, int64_t& y, int64_t& m, int64_t& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = yoe + era * 400 + (m <= 2 ? 1 : 0);
}

void appendDigits(std::string& out, int64_t value, int width) {
    char digits[8];
    for (int i = width - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    out.append(digits, static_cast<size_t>(width));
}

} // namespace

int64_t secondsFromCivil(int year, int month, int day) {
    return daysFromCivil(year, month, day) * 86400;
}

void appendDate(std::string& out, int64_t seconds) {
    int64_t y = 0, m = 0, d = 0;
    civilFromDays(dayOf(seconds), y, m, d);
    appendDigits(out, y, 4);
    out += '-';
    appendDigits(out, m, 2);
    out += '-';
    appendDigits(out, d, 2);
}

void appendClock(std::string& out, int64_t seconds) {
    const int64_t s = seconds % 86400;
    appendDigits(out, s / 3600, 2);
    out += ':';
    appendDigits(out, s / 60 % 60, 2);
    out += ':';
    appendDigits(out, s % 60, 2);
}

std::string isoTime(int64_t seconds) {
    std::string out;
    appendDate(out, seconds);
    out += 'T';
    appendClock(out, seconds);
    out += 'Z';
    return out;
}

} // namespace wavemark
