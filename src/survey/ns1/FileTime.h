#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace wavemark::ns1 {

// NetStumbler's log stamps times as Windows FILETIMEs: 100-nanosecond ticks
// since 1601-01-01 00:00:00 UTC. Its exports print them as a GMT date and a
// clock time in whole seconds, which is what these give.

// The FILETIME of the GTM epoch, 1989-12-31 00:00:00.
inline constexpr uint64_t kGtmEpochFileTime = 122'755'392'000'000'000;

inline constexpr uint64_t kFileTimeTicksPerSecond = 10'000'000;

// The GTM time of a FILETIME, as the exports' date and clock time give it:
// whole seconds, the distance from the epoch taken positive, nothing beyond
// 2^31 - 1 seconds (GtmTime's rule, here without splitting off the day, as
// it runs once per sample).
inline std::optional<int32_t> GtmTimeOfFileTime(uint64_t ticks) {
    const int64_t seconds = static_cast<int64_t>(ticks / kFileTimeTicksPerSecond) -
                            static_cast<int64_t>(kGtmEpochFileTime / kFileTimeTicksPerSecond);
    const int64_t distance = seconds < 0 ? -seconds : seconds;
    if (distance > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(distance);
}

// The date of a FILETIME as the exports' date lines write it, "yyyy-mm-dd".
std::string DateOfFileTime(uint64_t ticks);

} // namespace wavemark::ns1
