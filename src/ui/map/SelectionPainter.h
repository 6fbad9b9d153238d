#pragma once

#include "mapview/MapScene.h"
#include "mapview/Selection.h"
#include "mapview/WebMercator.h"

#include <QColor>

class QPainter;

namespace wavemark {

// Paints what a selection shows over the markers: a dot at each reading in
// view, in the colour of its signal (the strongest on top), and, where the
// readings place the access point elsewhere than its strongest reading, a
// line from there to that reading and a ringed point at the estimate.
void PaintSelection(QPainter& painter, const MapScene& scene, const Viewport& view,
                    const Selection& selection);

inline constexpr int kReadingRadius = 4; // pixels
inline const QColor kEstimateInk(0x20, 0x20, 0x20);

} // namespace wavemark
