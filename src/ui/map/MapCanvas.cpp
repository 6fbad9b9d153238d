#include "ui/map/MapCanvas.h"

#include "mapview/MarkerClusters.h"
#include "mapview/TileGrid.h"
#include "mapview/ViewFit.h"
#include "ui/map/MapPainter.h"
#include "ui/map/TileSource.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>

namespace wavemark {
namespace {

constexpr int kKeyPanStep = 96; // pixels an arrow key moves the map
constexpr int kDragStart = 4;   // pixels a press must move to become a drag
constexpr int kCentreZoom = 17; // a marker centred on is seen at least this close

} // namespace

MapCanvas::MapCanvas(TileSource* tiles, QWidget* parent)
    : QWidget(parent), m_tiles(tiles), m_scene(std::make_shared<MapScene>()) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_view.width = width();
    m_view.height = height();
    if (m_tiles != nullptr) {
        connect(m_tiles, &TileSource::tileArrived, this, qOverload<>(&QWidget::update));
    }
}

void MapCanvas::setScene(std::shared_ptr<const MapScene> scene) {
    m_scene = std::move(scene);
    m_selection.reset();
    m_clusters.reset();
    m_view.width = width();
    m_view.height = height();
    if (m_fitted || (!m_scene->bounds.empty() && !Shows(m_view, m_scene->bounds))) {
        fit();
        return;
    }
    update();
}

void MapCanvas::setView(PlanePoint center, int zoom) {
    changeView(PanBy({center, std::clamp(zoom, kMinZoom, kMaxZoom), width(), height()}, 0, 0));
}

void MapCanvas::fit() {
    changeView(FitView(m_scene->bulk, width(), height(), kFitMargin));
    m_fitted = true;
}

int MapCanvas::highlightedTrack() const {
    return HighlightedTrack(*m_scene, m_selection ? &*m_selection : nullptr);
}

void MapCanvas::select(std::optional<uint32_t> marker) {
    m_selection.reset();
    if (marker && *marker < m_scene->markers.size()) {
        m_selection = SelectionOf(*m_scene, *marker);
    }
    update();
}

std::optional<uint32_t> MapCanvas::selectedMarker() const {
    return m_selection ? std::optional(m_selection->marker) : std::nullopt;
}

void MapCanvas::centreOn(uint32_t marker) {
    setView(ToPlane(m_scene->markers[marker].at), std::max(m_view.zoom, kCentreZoom));
}

void MapCanvas::setLegendVisible(bool visible) {
    m_legendVisible = visible;
    update();
}

void MapCanvas::changeView(const Viewport& view) {
    m_view = view;
    m_clusters.reset();
    m_fitted = false;
    if (m_tiles != nullptr) {
        m_tiles->want(TilesInView(m_view));
    }
    update();
}

std::optional<uint32_t> MapCanvas::markerAt(QPoint at) const {
    const PlanePoint plane = ToPlane(m_view, {at.x() + 0.5, at.y() + 0.5});
    // The radius in fixed-point steps: pixels shifted up to the plane's scale.
    const auto radius = static_cast<uint32_t>(
        std::min((kMarkerRadius + 1) * std::ldexp(1.0, 24 - m_view.zoom), 4294967295.0));
    return SingleMarkerAt(clusters(), ToFixed(plane), radius);
}

const std::vector<MarkerCluster>& MapCanvas::clusters() const {
    if (!m_clusters) {
        m_clusters = ClustersInView(*m_scene, m_view);
    }
    return *m_clusters;
}

QString MapCanvas::toolTipAt(QPoint at) const {
    const auto marker = markerAt(at);
    if (!marker) {
        return {};
    }
    return QString::fromStdString(MarkerToolTip(*m_scene, m_scene->markers[*marker]));
}

void MapCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintMap(painter, *m_scene, m_view,
             {clusters(), m_tiles, m_selection ? &*m_selection : nullptr, m_legendVisible});
}

void MapCanvas::resizeEvent(QResizeEvent*) {
    if (m_fitted) {
        fit();
        return;
    }
    Viewport resized = m_view;
    resized.width = width();
    resized.height = height();
    changeView(resized);
}

void MapCanvas::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() > 0 ? 1 : event->angleDelta().y() < 0 ? -1 : 0;
    if (steps != 0) {
        const QPointF at = event->position();
        changeView(ZoomAround(m_view, {at.x(), at.y()}, steps));
    }
    event->accept();
}

void MapCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_pressedAt = m_dragFrom = event->position().toPoint();
        m_dragging = false;
    }
}

void MapCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (!(event->buttons() & Qt::LeftButton)) {
        return;
    }
    if (!m_dragging && (at - m_pressedAt).manhattanLength() < kDragStart) {
        return;
    }
    m_dragging = true;
    setCursor(Qt::ClosedHandCursor);
    const QPoint moved = at - m_dragFrom;
    m_dragFrom = at;
    changeView(PanBy(m_view, -moved.x(), -moved.y()));
}

// A click that did not drag selects the marker under it, or none.
void MapCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    unsetCursor();
    if (m_dragging) {
        m_dragging = false;
        return;
    }
    select(markerAt(event->position().toPoint()));
}

void MapCanvas::keyPressEvent(QKeyEvent* event) {
    const ScreenPoint centre{width() / 2.0, height() / 2.0};
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        changeView(ZoomAround(m_view, centre, 1));
        break;
    case Qt::Key_Minus:
        changeView(ZoomAround(m_view, centre, -1));
        break;
    case Qt::Key_Left:
        changeView(PanBy(m_view, -kKeyPanStep, 0));
        break;
    case Qt::Key_Right:
        changeView(PanBy(m_view, kKeyPanStep, 0));
        break;
    case Qt::Key_Up:
        changeView(PanBy(m_view, 0, -kKeyPanStep));
        break;
    case Qt::Key_Down:
        changeView(PanBy(m_view, 0, kKeyPanStep));
        break;
    case Qt::Key_Home:
        fit();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

bool MapCanvas::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString text = toolTipAt(help->pos());
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), text, this);
        }
        return true;
    }
    return QWidget::event(event);
}

} // namespace wavemark
