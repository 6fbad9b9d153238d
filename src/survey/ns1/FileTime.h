#pragma once

#include <cstdint>
#include <string>

namespace wavemark::ns1 {

// NetStumbler's log stamps times as Windows FILETIMEs: 100-nanosecond ticks
// since 1601-01-01 00:00:00 UTC. Its exports print them as a GMT date and a
// clock time in whole seconds, which is what these give.

inline constexpr uint64_t kFileTimeTicksPerSecond = 10'000'000;
// Seconds from 1601-01-01 to 1970-01-01.
inline constexpr int64_t kUnixEpochFileTimeSeconds = 11'644'473'600;

// The UTC seconds of a FILETIME, in whole seconds as the exports print it.
// Every FILETIME has them: its ticks reach no further than year 30828.
inline int64_t UtcSecondsOfFileTime(uint64_t ticks) {
    return static_cast<int64_t>(ticks / kFileTimeTicksPerSecond) - kUnixEpochFileTimeSeconds;
}

// The date of a FILETIME as the exports' date lines write it, "yyyy-mm-dd".
std::string DateOfFileTime(uint64_t ticks);

} // namespace wavemark::ns1
