#pragma once

#include <cstddef>
#include <optional>
#include <span>

namespace wavemark {

struct GeoPosition {
    double lat = 0.0;
    double lon = 0.0;

    bool operator==(const GeoPosition&) const = default;
};

// An access point's position needs at least this many readings with
// positions before it is estimated; with fewer, its strongest reading stands.
inline constexpr size_t kEstimateMinimumReadings = 3;

// Where an access point most likely stands, from its readings with
// positions (the three lists in step, signal levels as the survey holds
// them, dBm + 149): the centroid of its strongest readings, each weighted by
// its received power in milliwatts. None when there are too few readings.
std::optional<GeoPosition> EstimatePosition(std::span<const double> lat,
                                            std::span<const double> lon,
                                            std::span<const float> signal);

} // namespace wavemark
