#pragma once

#include "platform/Windows1252.h"

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace wavemark {

// A GTM file's texts are Windows-1252 bytes; the conversion result's are
// UTF-8. A character the code page lacks becomes "?". ASCII, nearly every
// text of a survey, passes as it stands.
class GtmText {
public:
    std::string_view of(std::string_view utf8) {
        if (IsAscii(utf8)) {
            return utf8;
        }
        m_room = ToWindows1252(utf8);
        return m_room;
    }

private:
    std::string m_room;
};

// A GTM time counts seconds from 1989-12-31 00:00:00 UTC in 32 bits, and 0
// says "no time": a moment before that midnight (kNoTime among them) or past
// 2^31 - 1 seconds after it cannot be held and is written as none.
inline constexpr int64_t kGtmEpochUtcSeconds = 631'065'600;

inline int32_t GtmTimeOf(int64_t utcSeconds) {
    if (utcSeconds < kGtmEpochUtcSeconds ||
        utcSeconds - kGtmEpochUtcSeconds > std::numeric_limits<int32_t>::max()) {
        return 0;
    }
    return static_cast<int32_t>(utcSeconds - kGtmEpochUtcSeconds);
}

} // namespace wavemark
