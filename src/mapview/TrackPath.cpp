#include "mapview/TrackPath.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace wavemark {

// A point's pixel at zoom z is its fixed-point coordinate over 2^32 times
// 256 × 2^z, that is the coordinate shifted right by 24 - z.
TrackPath::TrackPath(const Viewport& view, int tolerance, int margin)
    : m_shift(24 - std::clamp(view.zoom, kMinZoom, kMaxZoom)),
      m_originX(static_cast<int64_t>(
          std::floor(view.center.x * PlaneSize(view.zoom) - view.width / 2.0))),
      m_originY(static_cast<int64_t>(
          std::floor(view.center.y * PlaneSize(view.zoom) - view.height / 2.0))),
      m_left(-margin), m_top(-margin), m_right(view.width + margin), m_bottom(view.height + margin),
      m_tolerance(std::max(tolerance, 1)) {}

bool TrackPath::nearView(PixelPoint a, PixelPoint b) const {
    return std::max(a.x, b.x) >= m_left && std::min(a.x, b.x) <= m_right &&
           std::max(a.y, b.y) >= m_top && std::min(a.y, b.y) <= m_bottom;
}

bool TrackPath::farFromLast(PixelPoint pixel) const {
    const PixelPoint& last = m_run.back();
    return std::abs(pixel.x - last.x) >= m_tolerance || std::abs(pixel.y - last.y) >= m_tolerance;
}

} // namespace wavemark
