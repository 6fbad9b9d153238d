#pragma once

#include "convert/ConversionData.h"

#include <cstddef>

namespace wavemark {

// The trackpoints [first, end) of a track. Tracks are numbered from 1 and
// their points follow one another in track order: walking the tracks in
// turn, each starts where the one before ended.
struct TrackPoints {
    size_t first = 1;
    size_t end = 1;
};

inline TrackPoints NextTrackPoints(const ConversionData& data, size_t track, size_t first) {
    size_t end = first;
    while (end <= static_cast<size_t>(data.TrkPointCount) &&
           data.TptTrack[end] == static_cast<int32_t>(track)) {
        ++end;
    }
    return {first, end};
}

} // namespace wavemark
