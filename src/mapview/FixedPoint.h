#pragma once

#include "mapview/WebMercator.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace wavemark {

// A place on the plane in 32-bit fixed point: a pixel at zoom 19 is 32
// steps wide, so the map keeps every point in 8 bytes, not 16, and cuts
// them to pixels with a shift.
struct FixedPoint {
    uint32_t x = 0;
    uint32_t y = 0;

    bool operator==(const FixedPoint&) const = default;
};

inline constexpr double kFixedScale = 4294967296.0; // 2^32 steps across the plane

inline uint32_t ToFixed(double plane) {
    return static_cast<uint32_t>(std::clamp(std::floor(plane * kFixedScale), 0.0,
                                            double{std::numeric_limits<uint32_t>::max()}));
}

inline FixedPoint ToFixed(PlanePoint point) {
    return {ToFixed(point.x), ToFixed(point.y)};
}

inline PlanePoint ToPlane(FixedPoint point) {
    return {point.x / kFixedScale, point.y / kFixedScale};
}

// The smallest box around some points; empty until one is added.
struct FixedBox {
    uint32_t left = std::numeric_limits<uint32_t>::max();
    uint32_t top = std::numeric_limits<uint32_t>::max();
    uint32_t right = 0;
    uint32_t bottom = 0;

    bool empty() const { return left > right; }
    void add(FixedPoint point) {
        left = std::min(left, point.x);
        top = std::min(top, point.y);
        right = std::max(right, point.x);
        bottom = std::max(bottom, point.y);
    }
    void add(const FixedBox& box) {
        if (!box.empty()) {
            add(FixedPoint{box.left, box.top});
            add(FixedPoint{box.right, box.bottom});
        }
    }
    bool contains(FixedPoint point) const {
        return point.x >= left && point.x <= right && point.y >= top && point.y <= bottom;
    }
    bool intersects(const FixedBox& box) const {
        return !empty() && !box.empty() && box.left <= right && left <= box.right &&
               box.top <= bottom && top <= box.bottom;
    }
};

// The box a view shows, widened by `margin` pixels on every side.
FixedBox VisibleBox(const Viewport& view, int margin);

} // namespace wavemark
