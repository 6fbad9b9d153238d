#pragma once

#include "convert/ConversionData.h"
#include "convert/TrackColorGenerator.h"
#include "survey/BssidGroups.h"
#include "survey/BssidTable.h"
#include "survey/Readings.h"

#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace wavemark {

// The GTM header counts trackpoints in a signed 32-bit field.
inline constexpr int32_t kMaxTrackPoints = std::numeric_limits<int32_t>::max();

struct TrackOptions {
    bool TChangeColors = false; // a random colour per track
    int32_t TColorNoWep = 0;
    int32_t TColorWep = 0;
    int16_t TLineNoWep = 0;
    int16_t TLineWep = 0;
};

// Told of every display point of making tracks, so the window can show the
// counts growing.
class TrackProgress {
public:
    virtual ~TrackProgress() = default;
    // All readings are read; no track exists yet.
    virtual void readingPassDone() = 0;
    virtual void trackPointCountChanged(int32_t TrkPointCount) = 0;
    virtual void trackCountChanged(int32_t TrkCount) = 0;
};

// The waypoints' BSSIDs as groups, for the text export reader to sort
// readings by.
BssidGroups WaypointGroups(const ConversionData& data);

// The readings' group of each waypoint, by the numbers of the waypoint lists
// (element 0 is unused); -1 for a waypoint without readings.
std::vector<int32_t> GroupOfEachWaypoint(const BssidGroups& groups, const ConversionData& data);
std::vector<int32_t> GroupOfEachWaypoint(const BssidTable& groupOfBssid,
                                         const ConversionData& data);

enum class [[nodiscard]] TracksOutcome{
    Made,
    // The trackpoints would not fit the GTM file's 32-bit counters: no track
    // and no trackpoint. That is found before any list is made.
    TooManyPoints,
};

// Makes the track and trackpoint lists from the readings of the waypoints'
// groups (see GroupOfEachWaypoint): one track per waypoint with at least two readings, in waypoint
// order, through its readings in survey order. A track's class (WEP or not)
// is that of its last reading. The readings are used up.
TracksOutcome MakeTracks(std::span<const int32_t> groupOfWaypoint, Readings& readings,
                         const TrackOptions& options, TrackColorGenerator& colors,
                         ConversionData& data, TrackProgress& progress);

} // namespace wavemark
