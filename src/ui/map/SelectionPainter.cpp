#include "ui/map/SelectionPainter.h"

#include "mapview/SignalScale.h"
#include "ui/BgrColor.h"
#include "ui/map/MapPainter.h"

#include <QPainter>

#include <algorithm>
#include <vector>

namespace wavemark {
namespace {

constexpr int kEstimateRadius = 6; // pixels

void paintReadings(QPainter& painter, const MapScene& scene, const Viewport& view,
                   const Selection& selection) {
    const FixedBox visible = VisibleBox(view, kReadingRadius + 1);
    std::vector<uint32_t> shown;
    for (uint32_t p = selection.first; p < selection.end; ++p) {
        if (visible.contains(scene.points[p])) {
            shown.push_back(p);
        }
    }
    // Where readings overlap, the stronger one shows.
    std::stable_sort(shown.begin(), shown.end(),
                     [&](uint32_t a, uint32_t b) { return scene.levels[a] < scene.levels[b]; });
    painter.setPen(QPen(Qt::white, 1));
    for (const uint32_t p : shown) {
        painter.setBrush(FromBgr(SignalColor(DbmOfLevel(scene.levels[p]))));
        painter.drawEllipse(ScreenPointOf(view, scene.points[p]), kReadingRadius, kReadingRadius);
    }
}

// The line runs under the readings' dots, so the strongest shows at its end.
void paintEstimateLine(QPainter& painter, QPointF estimate, QPointF strongest) {
    painter.setPen(QPen(kEstimateInk, 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(estimate, strongest);
}

void paintEstimate(QPainter& painter, QPointF estimate) {
    painter.setPen(QPen(kEstimateInk, 2));
    painter.setBrush(Qt::white);
    painter.drawEllipse(estimate, kEstimateRadius, kEstimateRadius);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kEstimateInk);
    painter.drawEllipse(estimate, 2.5, 2.5);
}

} // namespace

void PaintSelection(QPainter& painter, const MapScene& scene, const Viewport& view,
                    const Selection& selection) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const bool estimated = selection.estimate && selection.strongest;
    if (estimated) {
        paintEstimateLine(painter, ScreenPointOf(view, *selection.estimate),
                          ScreenPointOf(view, scene.points[*selection.strongest]));
    }
    paintReadings(painter, scene, view, selection);
    if (estimated) {
        paintEstimate(painter, ScreenPointOf(view, *selection.estimate));
    }
    painter.restore();
}

} // namespace wavemark
