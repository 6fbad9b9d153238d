#include "ui/map/MapPainter.h"

#include "maps/Legend.h"
#include "mapview/Graticule.h"
#include "mapview/MarkerClusters.h"
#include "mapview/TileGrid.h"
#include "mapview/TrackPath.h"
#include "ui/BgrColor.h"
#include "ui/map/LegendPainter.h"
#include "ui/map/SelectionPainter.h"
#include "ui/map/TileSource.h"

#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>

namespace wavemark {
namespace {

const QColor kBackground(0xf2, 0xef, 0xe9);
const QColor kGraticule(0xc4, 0xc0, 0xb8);
const QColor kGraticuleText(0x80, 0x7c, 0x74);
const QColor kHighlight(0xff, 0xd8, 0x00);
constexpr double kGraticuleSpacing = 120;    // pixels between lines at least
constexpr int kPathMargin = 16;              // pixels beyond the view a line is kept for
constexpr int kSimplifyTolerance = 2;        // pixels
constexpr size_t kMostLabelledMarkers = 400; // more in view means zoomed out too far
constexpr double kClusterRing = 4;           // pixels of a cluster's ring of classes

// The top-left pixel of the view on the plane at its zoom level.
QPointF viewOrigin(const Viewport& view) {
    const double size = PlaneSize(view.zoom);
    return {std::floor(view.center.x * size - view.width / 2.0),
            std::floor(view.center.y * size - view.height / 2.0)};
}

void paintGraticule(QPainter& painter, const Viewport& view) {
    const Graticule graticule = GraticuleOf(view, kGraticuleSpacing);
    painter.setPen(QPen(kGraticule, 1));
    for (const GraticuleLine& line : graticule.meridians) {
        painter.drawLine(QLineF(line.screen, 0, line.screen, view.height));
    }
    for (const GraticuleLine& line : graticule.parallels) {
        painter.drawLine(QLineF(0, line.screen, view.width, line.screen));
    }
    painter.setPen(kGraticuleText);
    for (const GraticuleLine& line : graticule.meridians) {
        painter.drawText(QPointF(line.screen + 3, 12), QString::fromStdString(line.label));
    }
    // A parallel's label stays clear of the meridians' labels along the top.
    for (const GraticuleLine& line : graticule.parallels) {
        if (line.screen >= 30) {
            painter.drawText(QPointF(3, line.screen - 3), QString::fromStdString(line.label));
        }
    }
}

// A tile not here yet is stood in for by the part of a coarser one that
// has arrived, enlarged, so zooming shows the old picture until the new one
// comes rather than a blank.
constexpr int kStandInLevels = 4;

void paintTiles(QPainter& painter, const Viewport& view, const TileSource& tiles) {
    const QPointF origin = viewOrigin(view);
    for (const TileId& id : TilesInView(view)) {
        const QRectF target(id.x * double{kTileSize} - origin.x(),
                            id.y * double{kTileSize} - origin.y(), kTileSize, kTileSize);
        for (int up = 0; up <= kStandInLevels && up <= id.zoom; ++up) {
            const QImage image = tiles.tile({id.zoom - up, id.x >> up, id.y >> up});
            if (!image.isNull()) {
                const double part = double{kTileSize} / (1 << up);
                const int mask = (1 << up) - 1;
                painter.drawImage(target, image,
                                  QRectF((id.x & mask) * part, (id.y & mask) * part, part, part));
                break;
            }
        }
    }
}

void paintTrack(QPainter& painter, const MapScene& scene, const SceneTrack& track, TrackPath& path,
                QPolygon& polygon) {
    path.walk(scene, track, [&](const std::vector<PixelPoint>& run) {
        polygon.resize(static_cast<qsizetype>(2 * (run.size() - 1)));
        for (size_t i = 1; i < run.size(); ++i) {
            polygon[static_cast<qsizetype>(2 * i - 2)] = QPoint(run[i - 1].x, run[i - 1].y);
            polygon[static_cast<qsizetype>(2 * i - 1)] = QPoint(run[i].x, run[i].y);
        }
        painter.drawLines(polygon.constData(), static_cast<int>(run.size() - 1));
    });
}

void paintTracks(QPainter& painter, const MapScene& scene, const Viewport& view, int highlighted) {
    const FixedBox visible = VisibleBox(view, kPathMargin);
    TrackPath path(view, kSimplifyTolerance, kPathMargin);
    QPolygon polygon;
    for (const SceneTrack& track : scene.tracks) {
        if (track.bounds.intersects(visible)) {
            path.setTolerance(std::max(kSimplifyTolerance, LineWidth(track.lineStyle)));
            painter.setPen(QPen(FromBgr(track.color), LineWidth(track.lineStyle), Qt::SolidLine,
                                Qt::SquareCap, Qt::BevelJoin));
            paintTrack(painter, scene, track, path, polygon);
        }
    }
    if (highlighted >= 0 && static_cast<size_t>(highlighted) < scene.tracks.size()) {
        const SceneTrack& track = scene.tracks[static_cast<size_t>(highlighted)];
        const int width = LineWidth(track.lineStyle);
        path.setTolerance(std::max(kSimplifyTolerance, width));
        painter.setPen(QPen(kHighlight, width + 6, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        paintTrack(painter, scene, track, path, polygon);
        painter.setPen(
            QPen(FromBgr(track.color), width, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        paintTrack(painter, scene, track, path, polygon);
    }
}

// One picture per class, drawn once: thousands of markers are then copies.
const QImage& markerImage(NetworkClass networkClass) {
    static const std::array<QImage, 3> images = [] {
        std::array<QImage, 3> made;
        for (const NetworkClass each : kMapClasses) {
            QImage image(2 * kMarkerRadius + 3, 2 * kMarkerRadius + 3,
                         QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(QPen(Qt::white, 1.5));
            painter.setBrush(MarkerColor(each));
            const double centre = kMarkerRadius + 1.5;
            painter.drawEllipse(QPointF(centre, centre), kMarkerRadius, kMarkerRadius);
            made[static_cast<size_t>(each)] = image;
        }
        return made;
    }();
    return images[static_cast<size_t>(networkClass)];
}

// A cluster's count in at most four characters, which its circle is sized for.
QString clusterText(uint32_t count) {
    return count < 10000 ? QString::number(count) : QString::number(count / 1000) + u'k';
}

double clusterRadius(const QString& text) {
    return 8 + 2 * text.size();
}

// A cluster: a ring cut into its classes' shares, clockwise from the top in
// the legend's order, around a white disc with its count.
void paintCluster(QPainter& painter, QPointF at, const MarkerCluster& cluster) {
    const QString text = clusterText(cluster.count);
    const double radius = clusterRadius(text);
    const QRectF circle(at.x() - radius, at.y() - radius, 2 * radius, 2 * radius);
    painter.setPen(Qt::NoPen);
    uint32_t before = 0;
    // Qt's angles: sixteenths of a degree, counter-clockwise from three o'clock.
    const auto angleAfter = [&cluster](uint32_t markers) {
        return 90 * 16 - static_cast<int>(std::lround(5760.0 * markers / cluster.count));
    };
    for (const NetworkClass each : kMapClasses) {
        const uint32_t share = cluster.classes[static_cast<size_t>(each)];
        if (share == 0) {
            continue;
        }
        const int from = angleAfter(before);
        before += share;
        painter.setBrush(MarkerColor(each));
        painter.drawPie(circle, from, angleAfter(before) - from);
    }
    painter.setBrush(Qt::white);
    painter.drawEllipse(at, radius - kClusterRing, radius - kClusterRing);
    painter.setPen(QPen(Qt::white, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at, radius, radius);
    painter.setPen(Qt::black);
    painter.drawText(circle, Qt::AlignCenter, text);
}

QRect clusterBox(const Viewport& view, const MarkerCluster& cluster) {
    const QPoint at = ScreenPointOf(view, cluster.at).toPoint();
    const int radius = cluster.single()
                           ? kMarkerRadius
                           : static_cast<int>(clusterRadius(clusterText(cluster.count)));
    return {at.x() - radius, at.y() - radius, 2 * radius + 1, 2 * radius + 1};
}

// Names go beside single markers only, each covering no circle and no other name.
void paintLabels(QPainter& painter, const MapScene& scene, const Viewport& view,
                 const std::vector<MarkerCluster>& clusters) {
    const auto singles = static_cast<size_t>(std::count_if(
        clusters.begin(), clusters.end(), [](const MarkerCluster& c) { return c.single(); }));
    if (singles > kMostLabelledMarkers) {
        return;
    }
    const QFontMetrics metrics(painter.font());
    std::vector<QRect> placed;
    placed.reserve(clusters.size() + singles);
    for (const MarkerCluster& cluster : clusters) {
        placed.push_back(clusterBox(view, cluster));
    }
    for (const MarkerCluster& cluster : clusters) {
        if (!cluster.single()) {
            continue;
        }
        const QString name = QString::fromStdString(scene.markers[cluster.marker].name);
        const QPoint at = ScreenPointOf(view, cluster.at).toPoint();
        const QRect box(at.x() + kMarkerRadius + 3, at.y() - metrics.height() / 2,
                        metrics.horizontalAdvance(name) + 4, metrics.height());
        const bool overlaps = std::any_of(placed.begin(), placed.end(), [&](const QRect& other) {
            return other.intersects(box);
        });
        if (overlaps) {
            continue;
        }
        placed.push_back(box);
        painter.fillRect(box, QColor(255, 255, 255, 190));
        painter.setPen(Qt::black);
        painter.drawText(box, Qt::AlignCenter, name);
    }
}

void paintMarkers(QPainter& painter, const MapScene& scene, const Viewport& view,
                  const std::vector<MarkerCluster>& clusters, const Selection* selection) {
    const QPointF corner(kMarkerRadius + 1.5, kMarkerRadius + 1.5);
    const QFont labelFont = painter.font();
    QFont countFont = labelFont;
    countFont.setPixelSize(9);
    countFont.setBold(true);
    painter.setFont(countFont);
    for (const MarkerCluster& cluster : clusters) {
        if (cluster.single()) {
            painter.drawImage(ScreenPointOf(view, cluster.at) - corner,
                              markerImage(scene.markers[cluster.marker].networkClass));
        } else {
            painter.setRenderHint(QPainter::Antialiasing);
            paintCluster(painter, ScreenPointOf(view, cluster.at), cluster);
            painter.setRenderHint(QPainter::Antialiasing, false);
        }
    }
    painter.setFont(labelFont);
    if (selection != nullptr) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(kHighlight, 3));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(ScreenPointOf(view, scene.markers[selection->marker].at),
                            kMarkerRadius + 3, kMarkerRadius + 3);
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
    paintLabels(painter, scene, view, clusters);
}

void paintScaleBar(QPainter& painter, const Viewport& view) {
    const ScaleBar bar = ScaleBarOf(view, 120);
    const QPointF start(10, view.height - 12);
    const QPointF end = start + QPointF(bar.pixels, 0);
    painter.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(start, end);
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(start, end);
    painter.drawLine(start, start - QPointF(0, 6));
    painter.drawLine(end, end - QPointF(0, 6));
    painter.drawText(start + QPointF(4, -5), QString::fromStdString(bar.label));
}

} // namespace

QColor MarkerColor(NetworkClass networkClass) {
    return FromBgr(LegendOf(networkClass).color);
}

QPointF ScreenPointOf(const Viewport& view, FixedPoint at) {
    const ScreenPoint screen = ToScreen(view, ToPlane(at));
    return {screen.x, screen.y};
}

void PaintMap(QPainter& painter, const MapScene& scene, const Viewport& view,
              const MapLayers& layers) {
    painter.save();
    painter.fillRect(QRect(0, 0, view.width, view.height), kBackground);
    paintGraticule(painter, view);
    if (layers.tiles != nullptr) {
        paintTiles(painter, view, *layers.tiles);
    }
    const Selection* selection = layers.selection;
    paintTracks(painter, scene, view, HighlightedTrack(scene, selection));
    paintMarkers(painter, scene, view, layers.clusters, selection);
    if (selection != nullptr) {
        PaintSelection(painter, scene, view, *selection);
    }
    paintScaleBar(painter, view);
    PaintLegend(painter, view, {layers.legend, layers.legend || selection != nullptr});
    painter.restore();
}

} // namespace wavemark
