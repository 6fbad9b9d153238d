#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace wavemark {

// Survey times are UTC moments in whole seconds since 1970-01-01 00:00:00,
// whatever the survey file counts from; days are counted from the same
// midnight. A map format that cannot hold a moment says so itself.
inline constexpr int64_t kNoTime = std::numeric_limits<int64_t>::min();
inline constexpr int64_t kSecondsPerDay = 86400;

// The day of a date written "yyyy-m-d" (a 4-digit year, 1 or 2 digits for
// month and day, blanks around the text ignored), or nothing when the text
// is not a valid calendar date.
std::optional<int64_t> ParseSurveyDate(std::string_view text);

// Seconds since midnight of a time written "h:m:s" (1 or 2 digits each,
// blanks around the text ignored), or nothing when it is not a valid time.
std::optional<int32_t> ParseClockTime(std::string_view text);

// The day of a moment, and its second of that day.
inline int64_t DayOf(int64_t seconds) {
    return seconds >= 0 ? seconds / kSecondsPerDay : -((-seconds - 1) / kSecondsPerDay) - 1;
}

// Times held by the million, a survey's readings and the conversion's
// waypoints and trackpoints, take 32 bits: seconds from 1989-12-31 00:00:00
// UTC, the middle of the span NetStumbler's exports can date a line in.
// They hold every moment from 1921-12-13 20:45:53 to 2058-01-18 03:14:07,
// before and after Wi-Fi; kNoPackedTime stands for none, and for a moment
// outside that span.
using PackedTime = int32_t;
inline constexpr PackedTime kNoPackedTime = std::numeric_limits<int32_t>::min();
inline constexpr int64_t kPackedTimeBase = 631'065'600;

inline PackedTime PackTime(int64_t seconds) {
    if (seconds == kNoTime || seconds - kPackedTimeBase < -std::numeric_limits<int32_t>::max() ||
        seconds - kPackedTimeBase > std::numeric_limits<int32_t>::max()) {
        return kNoPackedTime;
    }
    return static_cast<PackedTime>(seconds - kPackedTimeBase);
}

inline int64_t UnpackTime(PackedTime time) {
    return time == kNoPackedTime ? kNoTime : kPackedTimeBase + time;
}

// The moment of an export line's date and clock time, or nothing when it
// lies more than 2^31 - 1 seconds from 1989-12-31 00:00:00: NetStumbler's
// exports take such a line to be no data line, so every moment of an export
// packs (see PackedTime). Inline: it dates every reading of a text export.
inline std::optional<int64_t> ExportLineTime(int64_t day, int32_t secondOfDay) {
    const int64_t seconds = day * kSecondsPerDay + secondOfDay;
    if (PackTime(seconds) == kNoPackedTime) {
        return std::nullopt;
    }
    return seconds;
}

// "yyyy-mm-dd" of a day, as date lines write it.
std::string CalendarDate(int64_t day);

} // namespace wavemark
