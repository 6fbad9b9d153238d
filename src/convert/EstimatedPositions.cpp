#include "convert/EstimatedPositions.h"

#include "survey/PositionEstimate.h"

#include <cmath>
#include <cstddef>
#include <optional>
#include <vector>

namespace wavemark {
namespace {

// Seven decimals, about a centimetre, as surveys write positions: then every
// map format, whatever decimals it writes, holds the same position.
double toSurveyDecimals(double degrees) {
    return std::round(degrees * 1e7) / 1e7;
}

} // namespace

void PlaceAtEstimates(std::span<const int32_t> groupOfWaypoint, const Readings& readings,
                      ConversionData& data) {
    const auto waypoints = static_cast<size_t>(data.WptCount);
    const size_t groups = readings.countOfGroup.size();

    // The readings come in the survey's order, every access point's among
    // the others': those of the groups that can give an estimate are
    // gathered, group by group, and no others.
    std::vector<size_t> start(groups + 1, 0);
    for (size_t w = 1; w <= waypoints; ++w) {
        const int32_t group = groupOfWaypoint[w];
        if (group >= 0) {
            const auto count =
                static_cast<size_t>(readings.countOfGroup[static_cast<size_t>(group)]);
            start[static_cast<size_t>(group) + 1] = count >= kEstimateMinimumReadings ? count : 0;
        }
    }
    for (size_t g = 0; g < groups; ++g) {
        start[g + 1] += start[g];
    }
    std::vector<double> lat(start[groups]);
    std::vector<double> lon(start[groups]);
    std::vector<float> signal(start[groups]);
    std::vector<size_t> next(start.begin(), start.end() - 1);
    for (size_t i = 0; i < readings.group.size(); ++i) {
        const auto group = static_cast<size_t>(readings.group[i]);
        if (start[group + 1] > start[group]) {
            const size_t at = next[group]++;
            lat[at] = readings.lat[i];
            lon[at] = readings.lon[i];
            signal[at] = readings.signal[i];
        }
    }

    data.WptStrongestLat = data.WptLat;
    data.WptStrongestLon = data.WptLon;
    data.WptPosition.assign(waypoints + 1, WaypointPosition::Strongest);
    // Waypoints that share a BSSID share its readings, and so its estimate.
    std::vector<std::optional<GeoPosition>> estimates(groups);
    for (size_t g = 0; g < groups; ++g) {
        const size_t first = start[g];
        const size_t count = start[g + 1] - first;
        if (count > 0) {
            estimates[g] = EstimatePosition(std::span(lat).subspan(first, count),
                                            std::span(lon).subspan(first, count),
                                            std::span(signal).subspan(first, count));
        }
    }
    for (size_t w = 1; w <= waypoints; ++w) {
        const int32_t group = groupOfWaypoint[w];
        if (group < 0) {
            continue;
        }
        const auto g = static_cast<size_t>(group);
        if (estimates[g]) {
            data.WptLat[w] = toSurveyDecimals(estimates[g]->lat);
            data.WptLon[w] = toSurveyDecimals(estimates[g]->lon);
            data.WptPosition[w] = WaypointPosition::Estimated;
        }
    }
}

} // namespace wavemark
