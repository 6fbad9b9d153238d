#include "survey/PositionEstimate.h"

#include "survey/AccessPoint.h"

#include <algorithm>
#include <cmath>

namespace wavemark {

namespace {

// Readings this far below the strongest add little but the route's shape.
constexpr float kWithinOfBest = 10.0f;

} // namespace

std::optional<GeoPosition> EstimatePosition(std::span<const double> lat,
                                            std::span<const double> lon,
                                            std::span<const float> signal) {
    const size_t count = std::min({lat.size(), lon.size(), signal.size()});
    if (count < kEstimateMinimumReadings) {
        return std::nullopt;
    }
    const float best =
        *std::max_element(signal.begin(), signal.begin() + static_cast<ptrdiff_t>(count));
    double weights = 0.0;
    double sumLat = 0.0;
    double sumLon = 0.0;
    for (size_t i = 0; i < count; ++i) {
        if (signal[i] < best - kWithinOfBest) {
            continue;
        }
        // Relative to the strongest, so that the powers stay near 1.
        const double weight = std::pow(10.0, (signal[i] - best) / 10.0);
        weights += weight;
        sumLat += weight * lat[i];
        sumLon += weight * lon[i];
    }
    return GeoPosition{sumLat / weights, sumLon / weights};
}

} // namespace wavemark
