#pragma once

#include "mapview/WebMercator.h"
#include "ui/map/MapCanvas.h"

#include <QColor>
#include <QPoint>
#include <cmath>

// Where a position lies on a map canvas, to the pixel, and what colour is drawn there.
inline QPoint screenOf(const wavemark::MapCanvas& canvas, double lat, double lon) {
    const wavemark::ScreenPoint at = wavemark::ToScreen(canvas.view(), wavemark::Project(lat, lon));
    return {static_cast<int>(std::floor(at.x)), static_cast<int>(std::floor(at.y))};
}

inline QColor pixel(wavemark::MapCanvas& canvas, QPoint at) {
    return canvas.grab().toImage().pixelColor(at);
}
