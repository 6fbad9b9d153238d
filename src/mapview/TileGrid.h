#pragma once

#include "mapview/WebMercator.h"

#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace wavemark {

// A slippy-map tile: at zoom z the plane is cut into 2^z × 2^z tiles,
// numbered from the north-west corner.
struct TileId {
    int zoom = 0;
    int x = 0;
    int y = 0;

    // Spelt out rather than <=>: Qt's moc, which reads the headers of the
    // window's classes, cannot parse <compare>.
    bool operator==(const TileId&) const = default;
    bool operator<(const TileId& other) const {
        return std::tie(zoom, x, y) < std::tie(other.zoom, other.x, other.y);
    }
};

// The tiles a view shows, and none beyond it, the one under its centre first
// and the others by their distance from it, so that what the eye looks at
// arrives first.
std::vector<TileId> TilesInView(const Viewport& view);

// The tile's address from a template such as
// "https://tile.openstreetmap.org/{z}/{x}/{y}.png".
std::string TileUrl(std::string_view urlTemplate, TileId tile);

} // namespace wavemark
