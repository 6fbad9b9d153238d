#include "mapview/TileGrid.h"

#include <algorithm>
#include <cmath>

namespace wavemark {
namespace {

// The tile numbers a span of screen pixels covers, kept on the plane.
std::pair<int, int> tileRange(double firstPlane, double endPlane, int zoom) {
    const double tiles = std::ldexp(1.0, zoom);
    const int last = static_cast<int>(tiles) - 1;
    const int first = std::clamp(static_cast<int>(std::floor(firstPlane * tiles)), 0, last);
    const int end = std::clamp(static_cast<int>(std::ceil(endPlane * tiles)) - 1, 0, last);
    return {first, end};
}

} // namespace

std::vector<TileId> TilesInView(const Viewport& view) {
    if (view.width <= 0 || view.height <= 0) {
        return {};
    }
    const PlanePoint topLeft = ToPlane(view, {0, 0});
    const PlanePoint bottomRight =
        ToPlane(view, {static_cast<double>(view.width), static_cast<double>(view.height)});
    if (bottomRight.x <= 0 || topLeft.x >= 1 || bottomRight.y <= 0 || topLeft.y >= 1) {
        return {};
    }
    const auto [firstX, lastX] = tileRange(topLeft.x, bottomRight.x, view.zoom);
    const auto [firstY, lastY] = tileRange(topLeft.y, bottomRight.y, view.zoom);
    std::vector<TileId> tiles;
    for (int y = firstY; y <= lastY; ++y) {
        for (int x = firstX; x <= lastX; ++x) {
            tiles.push_back({view.zoom, x, y});
        }
    }
    const double tileSpan = std::ldexp(1.0, -view.zoom);
    const auto distance = [&](const TileId& tile) {
        const double dx = (tile.x + 0.5) * tileSpan - view.center.x;
        const double dy = (tile.y + 0.5) * tileSpan - view.center.y;
        return dx * dx + dy * dy;
    };
    std::stable_sort(tiles.begin(), tiles.end(),
                     [&](const TileId& a, const TileId& b) { return distance(a) < distance(b); });
    return tiles;
}

std::string TileUrl(std::string_view urlTemplate, TileId tile) {
    std::string url;
    url.reserve(urlTemplate.size() + 16);
    for (size_t at = 0; at < urlTemplate.size(); ++at) {
        const std::string_view rest = urlTemplate.substr(at);
        if (rest.starts_with("{z}") || rest.starts_with("{x}") || rest.starts_with("{y}")) {
            const int value = rest[1] == 'z' ? tile.zoom : rest[1] == 'x' ? tile.x : tile.y;
            url += std::to_string(value);
            at += 2;
        } else {
            url += urlTemplate[at];
        }
    }
    return url;
}

} // namespace wavemark
