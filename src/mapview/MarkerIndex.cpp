#include "mapview/MarkerIndex.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numeric>

namespace wavemark {
namespace {

// The cell size, as a power of two, at which the survey's longer side spans
// about the square root of its marker count in cells.
int cellShift(std::span<const FixedPoint> points) {
    FixedBox box;
    for (const FixedPoint& point : points) {
        box.add(point);
    }
    const uint64_t span = std::max<uint64_t>(
        1, std::max(uint64_t{box.right} - box.left, uint64_t{box.bottom} - box.top));
    const auto cellsAcross =
        std::max<uint64_t>(1, static_cast<uint64_t>(std::sqrt(static_cast<double>(points.size()))));
    return std::min(static_cast<int>(std::bit_width(span / cellsAcross)), 31);
}

uint64_t distanceSquared(FixedPoint a, FixedPoint b) {
    const uint64_t dx = a.x > b.x ? a.x - b.x : b.x - a.x;
    const uint64_t dy = a.y > b.y ? a.y - b.y : b.y - a.y;
    // Radii are a few pixels, so dx and dy stay far below 2^31 where used.
    return dx * dx + dy * dy;
}

} // namespace

MarkerIndex::MarkerIndex(std::span<const FixedPoint> points)
    : m_points(points.begin(), points.end()), m_shift(cellShift(points)) {
    m_entries.resize(points.size());
    std::iota(m_entries.begin(), m_entries.end(), 0U);
    const auto keyOf = [this](uint32_t marker) {
        const FixedPoint& point = m_points[marker];
        return cellKey(point.y >> m_shift, point.x >> m_shift);
    };
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [&](uint32_t a, uint32_t b) { return keyOf(a) < keyOf(b); });
    m_keys.reserve(m_entries.size());
    for (const uint32_t marker : m_entries) {
        m_keys.push_back(keyOf(marker));
    }
}

std::vector<uint32_t> MarkerIndex::within(const FixedBox& box) const {
    std::vector<uint32_t> found;
    if (box.empty() || m_keys.empty()) {
        return found;
    }
    const uint32_t firstRow = box.top >> m_shift;
    const uint32_t lastRow = box.bottom >> m_shift;
    const uint32_t firstColumn = box.left >> m_shift;
    const uint32_t lastColumn = box.right >> m_shift;
    const uint32_t usedFirstRow = static_cast<uint32_t>(m_keys.front() >> 32);
    const uint32_t usedLastRow = static_cast<uint32_t>(m_keys.back() >> 32);
    for (uint64_t row = std::max(firstRow, usedFirstRow); row <= std::min(lastRow, usedLastRow);
         ++row) {
        const auto at32 = static_cast<uint32_t>(row);
        auto at = std::lower_bound(m_keys.begin(), m_keys.end(), cellKey(at32, firstColumn));
        const auto end = std::upper_bound(at, m_keys.end(), cellKey(at32, lastColumn));
        for (; at != end; ++at) {
            const uint32_t marker = m_entries[static_cast<size_t>(at - m_keys.begin())];
            if (box.contains(m_points[marker])) {
                found.push_back(marker);
            }
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::optional<uint32_t> MarkerIndex::nearest(FixedPoint point, uint32_t radius) const {
    const auto low = [radius](uint32_t value) { return value > radius ? value - radius : 0U; };
    const auto high = [radius](uint32_t value) {
        return value < UINT32_MAX - radius ? value + radius : UINT32_MAX;
    };
    std::optional<uint32_t> best;
    uint64_t bestDistance = 0;
    for (const uint32_t marker :
         within({low(point.x), low(point.y), high(point.x), high(point.y)})) {
        const uint64_t distance = distanceSquared(point, m_points[marker]);
        if (!best || distance <= bestDistance) {
            best = marker;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace wavemark
