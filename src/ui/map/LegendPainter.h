#pragma once

#include "mapview/WebMercator.h"

#include <QPoint>
#include <QRect>

#include <array>

class QFontMetrics;
class QPainter;

namespace wavemark {

// What the legend shows: the three classes' markers and the signal scale
// that a selection's readings are coloured by.
struct LegendContent {
    bool classes = true;
    bool signal = true;
};

// Where the legend's pieces lie in the top right corner of the view.
struct LegendLayout {
    QRect box;                        // empty when the legend shows nothing
    std::array<QPoint, 3> swatches{}; // marker centres, in the order of NetworkClass
    QPoint noSignal;                  // the swatch of a reading that heard nothing
    QRect scale; // the colour bar, a column per half dBm from the scale's weakest end
};

LegendLayout LegendLayoutOf(const QFontMetrics& metrics, const Viewport& view,
                            LegendContent content);

void PaintLegend(QPainter& painter, const Viewport& view, LegendContent content);

} // namespace wavemark
