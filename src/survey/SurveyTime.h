#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wavemark {

// Export times are the clock time as written, with no time-zone conversion,
// counted in seconds from 1989-12-31 00:00:00 (the GTM epoch).

// Days from the GTM epoch to a date written "yyyy-m-d" (a 4-digit year, 1 or
// 2 digits for month and day, blanks around the text ignored), or nothing
// when the text is not a valid calendar date.
std::optional<int64_t> ParseSurveyDate(std::string_view text);

// Seconds since midnight of a time written "h:m:s" (1 or 2 digits each,
// blanks around the text ignored), or nothing when it is not a valid time.
std::optional<int32_t> ParseClockTime(std::string_view text);

// The GTM time of a day and a time of day: the distance in seconds from the
// epoch, taken as a positive number, or nothing beyond 2147483647 seconds.
std::optional<int32_t> GtmTime(int64_t epochDay, int32_t secondOfDay);

// "yyyy-mm-dd" of a day counted from the GTM epoch, as date lines write it.
std::string CalendarDate(int64_t epochDay);

} // namespace wavemark
