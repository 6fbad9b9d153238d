#include "ui/map/LegendPainter.h"

#include "maps/Legend.h"
#include "mapview/SignalScale.h"
#include "ui/BgrColor.h"
#include "ui/map/MapPainter.h"
#include "ui/map/SelectionPainter.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace wavemark {
namespace {

constexpr int kPadding = 6;     // pixels inside the box
constexpr int kCornerGap = 8;   // pixels between the box and the view's edges
constexpr int kBarHeight = 10;  // pixels
constexpr int kSwatchText = 16; // pixels from a swatch's centre to its text
constexpr int kScaleLabels = 3; // the weakest, middle and strongest dBm

constexpr const char* kSignalTitle = "Signal (dBm)";
constexpr const char* kNoSignalText = "no signal";

int scaleColumns() {
    return static_cast<int>(2 * (kSignalStops.back().dbm - kSignalStops.front().dbm)) + 1;
}

double dbmOfColumn(int column) {
    return kSignalStops.front().dbm + column / 2.0;
}

QString scaleLabel(int which) {
    const double span = kSignalStops.back().dbm - kSignalStops.front().dbm;
    return QString::number(kSignalStops.front().dbm + span * which / (kScaleLabels - 1));
}

int rowHeight(const QFontMetrics& metrics) {
    return std::max(metrics.height(), 2 * kMarkerRadius + 4);
}

int contentWidth(const QFontMetrics& metrics, LegendContent content) {
    int width = 0;
    if (content.classes) {
        for (const NetworkClass each : kMapClasses) {
            const auto name = QString::fromUtf8(LegendOf(each).name.data(),
                                                static_cast<qsizetype>(LegendOf(each).name.size()));
            width = std::max(width, kSwatchText + metrics.horizontalAdvance(name));
        }
    }
    if (content.signal) {
        width = std::max({width, scaleColumns(), metrics.horizontalAdvance(kSignalTitle),
                          kSwatchText + metrics.horizontalAdvance(kNoSignalText)});
    }
    return width;
}

void paintSwatch(QPainter& painter, QPoint centre, const QColor& color, int radius) {
    painter.setPen(QPen(Qt::white, 1.5));
    painter.setBrush(color);
    painter.drawEllipse(QPointF(centre) + QPointF(0.5, 0.5), radius, radius);
}

void paintText(QPainter& painter, QPoint swatch, const QString& text) {
    painter.setPen(Qt::black);
    const QFontMetrics metrics(painter.font());
    painter.drawText(swatch + QPoint(kSwatchText - kMarkerRadius, metrics.ascent() / 2 - 1), text);
}

void paintScale(QPainter& painter, const LegendLayout& layout) {
    const QFontMetrics metrics(painter.font());
    painter.setPen(Qt::black);
    painter.drawText(layout.scale.left(), layout.scale.top() - metrics.descent() - 2, kSignalTitle);
    for (int column = 0; column < layout.scale.width(); ++column) {
        painter.fillRect(layout.scale.left() + column, layout.scale.top(), 1, layout.scale.height(),
                         FromBgr(SignalColor(dbmOfColumn(column))));
    }
    const int baseline = layout.scale.bottom() + 1 + metrics.ascent();
    for (int which = 0; which < kScaleLabels; ++which) {
        const QString label = scaleLabel(which);
        const int at =
            layout.scale.left() + (layout.scale.width() - 1) * which / (kScaleLabels - 1);
        const int width = metrics.horizontalAdvance(label);
        const int left = which == 0 ? at : which == kScaleLabels - 1 ? at - width : at - width / 2;
        painter.drawText(left, baseline, label);
    }
    paintSwatch(painter, layout.noSignal, FromBgr(kNoSignalColor), kReadingRadius);
    paintText(painter, layout.noSignal, kNoSignalText);
}

} // namespace

LegendLayout LegendLayoutOf(const QFontMetrics& metrics, const Viewport& view,
                            LegendContent content) {
    LegendLayout layout;
    if (!content.classes && !content.signal) {
        return layout;
    }
    const int width = contentWidth(metrics, content) + 2 * kPadding;
    const int left = view.width - kCornerGap - width;
    const int inner = left + kPadding;
    const int row = rowHeight(metrics);
    int y = kCornerGap + kPadding;
    if (content.classes) {
        for (size_t c = 0; c < kMapClasses.size(); ++c) {
            layout.swatches[c] = QPoint(inner + kMarkerRadius, y + row / 2);
            y += row;
        }
    }
    if (content.signal) {
        y += metrics.height() + 2;
        layout.scale = QRect(inner, y, scaleColumns(), kBarHeight);
        y += kBarHeight + metrics.height() + 2;
        layout.noSignal = QPoint(inner + kMarkerRadius, y + row / 2);
        y += row;
    }
    layout.box = QRect(left, kCornerGap, width, y + kPadding - kCornerGap);
    return layout;
}

void PaintLegend(QPainter& painter, const Viewport& view, LegendContent content) {
    const LegendLayout layout = LegendLayoutOf(QFontMetrics(painter.font()), view, content);
    if (layout.box.isEmpty()) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x90, 0x90, 0x90), 1));
    painter.setBrush(QColor(255, 255, 255, 220));
    painter.drawRect(QRectF(layout.box).adjusted(0.5, 0.5, -0.5, -0.5));
    if (content.classes) {
        for (size_t c = 0; c < kMapClasses.size(); ++c) {
            const ClassLegend& legend = LegendOf(kMapClasses[c]);
            paintSwatch(painter, layout.swatches[c], MarkerColor(kMapClasses[c]), kMarkerRadius);
            paintText(
                painter, layout.swatches[c],
                QString::fromUtf8(legend.name.data(), static_cast<qsizetype>(legend.name.size())));
        }
    }
    if (content.signal) {
        paintScale(painter, layout);
    }
    painter.restore();
}

} // namespace wavemark
