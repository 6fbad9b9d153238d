#pragma once

#include "mapview/FixedPoint.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace wavemark {

// Finds the markers in a box, and the one under the pointer, without
// looking at them all: the plane is cut into square cells sized so that
// the survey spans about as many cells as it has markers, and the markers
// are kept sorted by cell, row by row.
class MarkerIndex {
public:
    MarkerIndex() = default;
    explicit MarkerIndex(std::span<const FixedPoint> points);

    // The markers inside the box, in their own order.
    std::vector<uint32_t> within(const FixedBox& box) const;

    // The marker nearest to `point` no more than `radius` steps away on
    // either axis; of equally near ones, the last, which is drawn on top.
    std::optional<uint32_t> nearest(FixedPoint point, uint32_t radius) const;

private:
    static uint64_t cellKey(uint32_t row, uint32_t column) {
        return (uint64_t{row} << 32) | column;
    }

    std::vector<FixedPoint> m_points;
    std::vector<uint64_t> m_keys;    // cell key of each entry, ascending
    std::vector<uint32_t> m_entries; // marker numbers, in the order of m_keys
    int m_shift = 31;                // a point's cell is its coordinates >> m_shift
};

} // namespace wavemark
