#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wavemark {

// A moment as a WiGLE row gives it, its day counted from 1970-01-01;
// WiGLE writers give UTC.
struct FirstSeenMoment {
    int64_t day = 0;
    int32_t secondOfDay = 0;

    int64_t seconds() const { return day * 86400 + secondOfDay; }
};

// Reads FirstSeen fields. Writers give "yyyy-mm-dd hh:mm:ss"; firmware with
// its own clock code also leaves out leading zeros ("2023-5-7 9:3:2"),
// writes "/" for "-", or puts the year last ("05/07/2023 09:03:02", month
// first). Rows of a file mostly share their date, so the last date read is
// kept with its day and not parsed again.
class FirstSeenReader {
public:
    // Nothing for an empty field or one that names no valid calendar moment.
    std::optional<FirstSeenMoment> read(std::string_view text);

private:
    std::optional<int64_t> day(std::string_view date);

    std::array<char, 16> m_lastDate{};
    size_t m_lastDateSize = 0;
    std::optional<int64_t> m_lastDay;
};

} // namespace wavemark
