#pragma once

#include "mapview/MapScene.h"
#include "mapview/WebMercator.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace wavemark {

// A circle on the map: one marker, or several that would overlap at the
// view's zoom level.
struct MarkerCluster {
    FixedPoint at;                     // a single marker's place; the middle of several
    uint32_t count = 0;                // markers it stands for
    uint32_t marker = 0;               // the single marker, or the first of several
    std::array<uint32_t, 3> classes{}; // markers of each NetworkClass

    bool single() const { return count == 1; }
};

inline constexpr int kClusterSpacing = 32; // pixels: the side of a cluster's square

// The circles a view shows, in the order of their first markers. Markers
// are gathered into squares of kClusterSpacing pixels fixed to the plane,
// so panning keeps the clusters and each zoom level in splits a square in
// four; two neighbouring squares whose middles lie nearer than a square's
// side join when each is the other's nearest. At the last zoom level every
// marker stands alone, so each can still be pointed at.
std::vector<MarkerCluster> ClustersInView(const MapScene& scene, const Viewport& view);

// The single marker drawn nearest to `point`, no more than `radius` steps
// away on either axis: none when the circle there stands for several.
std::optional<uint32_t> SingleMarkerAt(const std::vector<MarkerCluster>& clusters, FixedPoint point,
                                       uint32_t radius);

} // namespace wavemark
