#include "survey/wigle/FirstSeen.h"

#include "survey/SurveyTime.h"
#include "survey/wigle/WigleFields.h"

#include <algorithm>

namespace wavemark {
namespace {

// "05/07/2023" (month first, year last) as "2023-05-07" in `out`; other
// dates with "/" get "-" in its place. False when it does not fit.
bool dashedDate(std::string_view date, std::array<char, 16>& out, size_t& size) {
    if (date.size() > out.size()) {
        return false;
    }
    const size_t lastSlash = date.rfind('/');
    if (lastSlash != std::string_view::npos && date.size() - lastSlash - 1 == 4 &&
        date.find('/') < lastSlash) {
        const std::string_view year = date.substr(lastSlash + 1);
        const std::string_view monthDay = date.substr(0, lastSlash);
        std::copy(year.begin(), year.end(), out.begin());
        out[4] = '-';
        std::copy(monthDay.begin(), monthDay.end(), out.begin() + 5);
        size = date.size();
    } else {
        std::copy(date.begin(), date.end(), out.begin());
        size = date.size();
    }
    std::replace(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(size), '/', '-');
    return true;
}

} // namespace

std::optional<int64_t> FirstSeenReader::day(std::string_view date) {
    if (std::string_view(m_lastDate.data(), m_lastDateSize) == date) {
        return m_lastDay;
    }
    std::array<char, 16> dashed{};
    size_t size = 0;
    if (!dashedDate(date, dashed, size)) {
        return std::nullopt;
    }
    std::copy(date.begin(), date.end(), m_lastDate.begin());
    m_lastDateSize = date.size();
    m_lastDay = ParseSurveyDate(std::string_view(dashed.data(), size));
    return m_lastDay;
}

std::optional<FirstSeenMoment> FirstSeenReader::read(std::string_view text) {
    text = TrimBlanks(text);
    // "yyyy-mm-dd hh:mm:ss", as nearly every writer has it.
    if (text.size() == 19 && text[10] == ' ' && text[13] == ':' && text[16] == ':') {
        const auto twoDigits = [&](size_t at) {
            const auto high = static_cast<unsigned>(text[at] - '0');
            const auto low = static_cast<unsigned>(text[at + 1] - '0');
            return high < 10 && low < 10 ? static_cast<int>(high * 10 + low) : 99;
        };
        const int hours = twoDigits(11);
        const int minutes = twoDigits(14);
        const int seconds = twoDigits(17);
        if (hours < 24 && minutes < 60 && seconds < 60) {
            const auto dayNumber = day(text.substr(0, 10));
            if (!dayNumber) {
                return std::nullopt;
            }
            return FirstSeenMoment{*dayNumber, hours * 3600 + minutes * 60 + seconds};
        }
    }
    const size_t blank = text.find(' ');
    if (blank == std::string_view::npos) {
        return std::nullopt;
    }
    const auto dayNumber = day(text.substr(0, blank));
    if (!dayNumber) {
        return std::nullopt;
    }
    const auto secondOfDay = ParseClockTime(text.substr(blank + 1));
    if (!secondOfDay) {
        return std::nullopt;
    }
    return FirstSeenMoment{*dayNumber, *secondOfDay};
}

} // namespace wavemark
