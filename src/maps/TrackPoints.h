#pragma once

#include "convert/ConversionData.h"

#include <cstddef>

namespace wavemark {

// The trackpoints [first, end) of a track.
struct TrackPoints {
    size_t first = 1;
    size_t end = 1;
};

// Those of track `track`, which must be 1 to TrkCount: past it the lists may
// hold an earlier run's tracks.
inline TrackPoints TrackPointsOf(const ConversionData& data, size_t track) {
    const auto first = static_cast<size_t>(data.TrkFirstPoint[track]);
    const auto end = track < static_cast<size_t>(data.TrkCount)
                         ? static_cast<size_t>(data.TrkFirstPoint[track + 1])
                         : static_cast<size_t>(data.TrkPointCount) + 1;
    return {first, end};
}

} // namespace wavemark
