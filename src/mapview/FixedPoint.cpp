#include "mapview/FixedPoint.h"

namespace wavemark {

FixedBox VisibleBox(const Viewport& view, int margin) {
    const PlanePoint topLeft = ToPlane(view, {-1.0 * margin, -1.0 * margin});
    const PlanePoint bottomRight = ToPlane(view, {static_cast<double>(view.width + margin),
                                                  static_cast<double>(view.height + margin)});
    return {ToFixed(topLeft.x), ToFixed(topLeft.y), ToFixed(bottomRight.x), ToFixed(bottomRight.y)};
}

} // namespace wavemark
