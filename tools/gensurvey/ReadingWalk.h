#pragma once

#include "Survey.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace wavemark {

constexpr int kLostSignal = -32618; // what the scanner writes once a signal is gone

// The signal fades with the distance from where the access point stands,
// with a little flicker that depends only on the step and the access point.
inline int snrAt(const AccessPoint& ap, size_t step, size_t index) {
    const auto distance =
        static_cast<int64_t>(step > ap.centerStep ? step - ap.centerStep : ap.centerStep - step);
    const int64_t reach = ap.readings / 2 + 1;
    const auto flicker = static_cast<int64_t>(((step * 31 + index) * 2654435761ull >> 9) % 3);
    return static_cast<int>(
        std::max<int64_t>(1, ap.peakSnr - ap.peakSnr * 3 * distance / (4 * reach) - flicker));
}

// Visits every reading in the order the scanner made them: step by step,
// and within a step the access points in range in the order they came into
// range. Every survey format writes its readings from this one walk.
template <typename Visit> void forEachReading(const Survey& survey, Visit visit) {
    if (survey.simulated) {
        for (const HeardReading& reading : survey.heard) {
            visit(reading);
        }
        return;
    }
    std::vector<size_t> inRange;
    size_t next = 0;
    for (size_t t = 0; t < survey.steps.size(); ++t) {
        while (next < survey.aps.size() && survey.aps[next].firstStep == t) {
            inRange.push_back(next++);
        }
        for (const size_t i : inRange) {
            const AccessPoint& ap = survey.aps[i];
            const bool lost = static_cast<int64_t>(t - ap.firstStep) == ap.lostSignalAt;
            const int snr = lost ? 0 : snrAt(ap, t, i);
            visit(HeardReading{i, t, snr, lost ? kLostSignal : ap.noise + snr,
                               lost ? kLostSignal : ap.noise, lost});
        }
        std::erase_if(inRange, [&](size_t i) {
            return survey.aps[i].firstStep + static_cast<size_t>(survey.aps[i].readings) == t + 1;
        });
    }
}

} // namespace wavemark
