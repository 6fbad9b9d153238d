#include "mapview/ViewFit.h"

#include <algorithm>

namespace wavemark {
namespace {

constexpr int kFitMaxZoom = 18;

} // namespace

Viewport FitView(const FixedBox& box, int width, int height, int margin) {
    Viewport view{{0.5, 0.5}, kMinZoom, width, height};
    if (box.empty()) {
        return view;
    }
    const PlanePoint topLeft = ToPlane(FixedPoint{box.left, box.top});
    const PlanePoint bottomRight = ToPlane(FixedPoint{box.right, box.bottom});
    view.center = {(topLeft.x + bottomRight.x) / 2, (topLeft.y + bottomRight.y) / 2};
    const double roomX = std::max(width - 2 * margin, 1);
    const double roomY = std::max(height - 2 * margin, 1);
    for (int zoom = kFitMaxZoom; zoom > kMinZoom; --zoom) {
        const double size = PlaneSize(zoom);
        if ((bottomRight.x - topLeft.x) * size <= roomX &&
            (bottomRight.y - topLeft.y) * size <= roomY) {
            view.zoom = zoom;
            break;
        }
    }
    return view;
}

bool Shows(const Viewport& view, const FixedBox& box) {
    return VisibleBox(view, 0).intersects(box);
}

Viewport ZoomAround(const Viewport& view, ScreenPoint pointer, int steps) {
    Viewport zoomed = view;
    zoomed.zoom = std::clamp(view.zoom + steps, kMinZoom, kMaxZoom);
    const PlanePoint under = ToPlane(view, pointer);
    const double size = PlaneSize(zoomed.zoom);
    zoomed.center = {under.x - (pointer.x - view.width / 2.0) / size,
                     under.y - (pointer.y - view.height / 2.0) / size};
    return PanBy(zoomed, 0, 0);
}

Viewport PanBy(const Viewport& view, double dx, double dy) {
    Viewport moved = view;
    const double size = PlaneSize(view.zoom);
    moved.center = {std::clamp(view.center.x + dx / size, 0.0, 1.0),
                    std::clamp(view.center.y + dy / size, 0.0, 1.0)};
    return moved;
}

} // namespace wavemark
