#pragma once

#include <cstdint>
#include <string>

namespace wavemark {

// Survey clock: whole seconds since 1970-01-01 00:00:00. The exports carry
// GMT clock times, so there is no time zone anywhere.
int64_t secondsFromCivil(int year, int month, int day);

void appendDate(std::string& out, int64_t seconds);  // yyyy-mm-dd
void appendClock(std::string& out, int64_t seconds); // hh:mm:ss
std::string isoTime(int64_t seconds);                // yyyy-mm-ddThh:mm:ssZ

inline int64_t dayOf(int64_t seconds) {
    return seconds / 86400;
}

} // namespace wavemark
