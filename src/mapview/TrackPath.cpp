#include "mapview/TrackPath.h"

#include <algorithm>
#include <cmath>

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

} // namespace wavemark
