#include "mapview/MarkerClusters.h"

#include <algorithm>
#include <cmath>

namespace wavemark {
namespace {

// A square of the plane and the markers in it, the sums giving their middle.
struct Square {
    uint32_t column = 0;
    uint32_t row = 0;
    uint64_t sumX = 0;
    uint64_t sumY = 0;
    MarkerCluster cluster;
};

uint64_t squareKey(uint32_t row, uint32_t column) {
    return (uint64_t{row} << 32) | column;
}

FixedPoint middleOf(const Square& square) {
    return {static_cast<uint32_t>(square.sumX / square.cluster.count),
            static_cast<uint32_t>(square.sumY / square.cluster.count)};
}

// The view's box and three squares more on each side: what a square in
// view joins depends on its neighbours' neighbours, which must hold all
// their markers, as in a wider view.
FixedBox gatheringBox(const Viewport& view, uint64_t squareSteps) {
    const FixedBox visible = VisibleBox(view, 0);
    const uint64_t beyond = 3 * squareSteps;
    return {static_cast<uint32_t>(visible.left > beyond ? visible.left - beyond : 0),
            static_cast<uint32_t>(visible.top > beyond ? visible.top - beyond : 0),
            static_cast<uint32_t>(std::min<uint64_t>(visible.right + beyond, UINT32_MAX)),
            static_cast<uint32_t>(std::min<uint64_t>(visible.bottom + beyond, UINT32_MAX))};
}

std::vector<Square> squaresOf(const MapScene& scene, const std::vector<uint32_t>& markers,
                              int shift) {
    std::vector<std::pair<uint64_t, uint32_t>> placed; // square key, marker
    placed.reserve(markers.size());
    for (const uint32_t m : markers) {
        const FixedPoint at = scene.markers[m].at;
        placed.emplace_back(
            squareKey((at.y >> shift) / kClusterSpacing, (at.x >> shift) / kClusterSpacing), m);
    }
    std::sort(placed.begin(), placed.end());
    std::vector<Square> squares;
    for (const auto& [key, m] : placed) {
        if (squares.empty() || squareKey(squares.back().row, squares.back().column) != key) {
            Square square;
            square.column = static_cast<uint32_t>(key);
            square.row = static_cast<uint32_t>(key >> 32);
            square.cluster.marker = m;
            squares.push_back(square);
        }
        Square& square = squares.back();
        const SceneMarker& marker = scene.markers[m];
        square.sumX += marker.at.x;
        square.sumY += marker.at.y;
        ++square.cluster.count;
        ++square.cluster.classes[static_cast<size_t>(marker.networkClass)];
    }
    return squares;
}

double distanceSquared(FixedPoint a, FixedPoint b) {
    const double dx = static_cast<double>(a.x) - b.x;
    const double dy = static_cast<double>(a.y) - b.y;
    return dx * dx + dy * dy;
}

// The square each square joins, or itself: of its eight neighbours, the one
// whose middle lies nearest to its own, nearer than a square's side, when
// that neighbour finds it the nearest too. Markers either side of a
// square's edge then share a circle, while a dense stretch of squares does
// not chain into one, and what a square joins depends only on the squares
// around it, so panning changes nothing in view.
std::vector<uint32_t> partnersOf(const std::vector<Square>& squares, int shift) {
    std::vector<uint64_t> keys(squares.size());
    std::transform(squares.begin(), squares.end(), keys.begin(),
                   [](const Square& square) { return squareKey(square.row, square.column); });
    std::vector<FixedPoint> middles(squares.size());
    std::transform(squares.begin(), squares.end(), middles.begin(), middleOf);
    const double side = std::ldexp(double{kClusterSpacing}, shift);
    std::vector<uint32_t> nearest(squares.size());
    for (uint32_t s = 0; s < squares.size(); ++s) {
        nearest[s] = s;
        double best = side * side;
        for (const int down : {-1, 0, 1}) {
            for (const int across : {-1, 0, 1}) {
                const uint64_t key = squareKey(squares[s].row + static_cast<uint32_t>(down),
                                               squares[s].column + static_cast<uint32_t>(across));
                const auto found = std::lower_bound(keys.begin(), keys.end(), key);
                if (found == keys.end() || *found != key || (down == 0 && across == 0)) {
                    continue;
                }
                const auto other = static_cast<uint32_t>(found - keys.begin());
                const double distance = distanceSquared(middles[s], middles[other]);
                if (distance < best) {
                    nearest[s] = other;
                    best = distance;
                }
            }
        }
    }
    std::vector<uint32_t> partners(squares.size());
    for (uint32_t s = 0; s < squares.size(); ++s) {
        partners[s] = nearest[nearest[s]] == s ? nearest[s] : s;
    }
    return partners;
}

} // namespace

std::vector<MarkerCluster> ClustersInView(const MapScene& scene, const Viewport& view) {
    const int shift = 24 - view.zoom; // steps per pixel, as a power of two
    const std::vector<uint32_t> markers =
        scene.index.within(gatheringBox(view, uint64_t{kClusterSpacing} << shift));
    std::vector<MarkerCluster> clusters;
    if (view.zoom >= kMaxZoom) {
        clusters.reserve(markers.size());
        for (const uint32_t m : markers) {
            const SceneMarker& marker = scene.markers[m];
            MarkerCluster single{marker.at, 1, m};
            ++single.classes[static_cast<size_t>(marker.networkClass)];
            clusters.push_back(single);
        }
        return clusters;
    }
    std::vector<Square> squares = squaresOf(scene, markers, shift);
    const std::vector<uint32_t> partners = partnersOf(squares, shift);
    for (uint32_t s = 0; s < squares.size(); ++s) {
        const uint32_t partner = partners[s];
        if (partner < s) {
            continue; // joined the earlier square
        }
        Square joined = squares[s];
        if (partner > s) {
            const Square& other = squares[partner];
            joined.sumX += other.sumX;
            joined.sumY += other.sumY;
            joined.cluster.count += other.cluster.count;
            joined.cluster.marker = std::min(joined.cluster.marker, other.cluster.marker);
            for (size_t c = 0; c < joined.cluster.classes.size(); ++c) {
                joined.cluster.classes[c] += other.cluster.classes[c];
            }
        }
        joined.cluster.at = middleOf(joined);
        clusters.push_back(joined.cluster);
    }
    std::sort(clusters.begin(), clusters.end(),
              [](const MarkerCluster& a, const MarkerCluster& b) { return a.marker < b.marker; });
    return clusters;
}

std::optional<uint32_t> SingleMarkerAt(const std::vector<MarkerCluster>& clusters, FixedPoint point,
                                       uint32_t radius) {
    const MarkerCluster* best = nullptr;
    uint64_t bestDistance = 0;
    for (const MarkerCluster& cluster : clusters) {
        const uint64_t dx =
            cluster.at.x > point.x ? cluster.at.x - point.x : point.x - cluster.at.x;
        const uint64_t dy =
            cluster.at.y > point.y ? cluster.at.y - point.y : point.y - cluster.at.y;
        if (dx <= radius && dy <= radius &&
            (best == nullptr || dx * dx + dy * dy <= bestDistance)) {
            best = &cluster;
            bestDistance = dx * dx + dy * dy;
        }
    }
    if (best == nullptr || !best->single()) {
        return std::nullopt;
    }
    return best->marker;
}

} // namespace wavemark
