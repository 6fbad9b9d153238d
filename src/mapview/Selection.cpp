#include "mapview/Selection.h"

#include "survey/PositionEstimate.h"

#include <span>
#include <vector>

namespace wavemark {
namespace {

// An estimate within a pixel of the strongest reading at the closest zoom
// level is that reading: nothing would show between them.
constexpr uint32_t kSameSpot = 32;

uint32_t distance(uint32_t a, uint32_t b) {
    return a > b ? a - b : b - a;
}

} // namespace

Selection SelectionOf(const MapScene& scene, uint32_t marker) {
    Selection selection{marker, 0, 0, std::nullopt, std::nullopt};
    const int32_t track = scene.markers[marker].track;
    if (track < 0) {
        return selection;
    }
    const SceneTrack& readings = scene.tracks[static_cast<size_t>(track)];
    selection.first = readings.first;
    selection.end = readings.end;
    if (readings.first == readings.end) {
        return selection;
    }
    const std::span<const float> levels(scene.levels.data() + readings.first,
                                        readings.end - readings.first);
    uint32_t strongest = readings.first;
    std::vector<double> lat;
    std::vector<double> lon;
    lat.reserve(levels.size());
    lon.reserve(levels.size());
    for (uint32_t p = readings.first; p < readings.end; ++p) {
        if (scene.levels[p] > scene.levels[strongest]) {
            strongest = p;
        }
        // The scene keeps points on the plane to a centimetre or so: close
        // enough to estimate from without a second copy in degrees.
        const PlanePoint plane = ToPlane(scene.points[p]);
        lat.push_back(LatitudeAt(plane.y));
        lon.push_back(LongitudeAt(plane.x));
    }
    selection.strongest = strongest;
    if (const auto estimate = EstimatePosition(lat, lon, levels)) {
        const FixedPoint at = ToFixed(Project(estimate->lat, estimate->lon));
        const FixedPoint best = scene.points[strongest];
        if (distance(at.x, best.x) > kSameSpot || distance(at.y, best.y) > kSameSpot) {
            selection.estimate = at;
        }
    }
    return selection;
}

} // namespace wavemark
