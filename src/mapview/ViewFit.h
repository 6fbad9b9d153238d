#pragma once

#include "mapview/FixedPoint.h"
#include "mapview/WebMercator.h"

namespace wavemark {

// The view of the given size that shows the whole box with a margin of
// `margin` pixels, at the highest zoom level that does so (at most 18, so a
// single access point is not shown at the very last level); the whole plane
// for an empty box.
Viewport FitView(const FixedBox& box, int width, int height, int margin);

// Whether the view shows any part of the box.
bool Shows(const Viewport& view, const FixedBox& box);

// The view moved so that the plane point under `pointer` stays under it
// while the zoom level changes by `steps`, within the levels tiles exist for.
Viewport ZoomAround(const Viewport& view, ScreenPoint pointer, int steps);

// The view moved by a number of pixels, its centre kept on the plane.
Viewport PanBy(const Viewport& view, double dx, double dy);

} // namespace wavemark
