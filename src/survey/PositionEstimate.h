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
// them, dBm + 149): the centroid of its readings within 25 dB of the
// strongest, each weighted by the square root of its power relative to the
// strongest's, taken the short way round across the antimeridian. Readings
// of a lost signal, or without a position, do not count; none when fewer
// than kEstimateMinimumReadings are left.
std::optional<GeoPosition> EstimatePosition(std::span<const double> lat,
                                            std::span<const double> lon,
                                            std::span<const float> signal);

} // namespace wavemark
