#pragma once

#include "mapview/MapScene.h"
#include "mapview/MarkerClusters.h"
#include "mapview/Selection.h"
#include "mapview/WebMercator.h"

#include <QPoint>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

namespace wavemark {

class TileSource;

// Pixels around a survey the canvas fits into its view.
inline constexpr int kFitMargin = 24;

// The map itself: paints the scene over the tiles and moves the view. The
// wheel zooms around the pointer, dragging pans, and the keys + and -, the
// arrows and Home (fit the bulk of the survey) do the same. Hovering a
// single marker, not a cluster, shows its tooltip; clicking one selects it,
// which highlights its track and shows its readings, and clicking beside
// every marker clears the selection.
class MapCanvas : public QWidget {
    Q_OBJECT

public:
    explicit MapCanvas(TileSource* tiles, QWidget* parent = nullptr);

    // Shows a new scene. A view the user has moved stays where it is when it
    // shows part of the new survey; otherwise the view is fitted to it.
    void setScene(std::shared_ptr<const MapScene> scene);
    const MapScene& scene() const { return *m_scene; }

    Viewport view() const { return m_view; }
    void setView(PlanePoint center, int zoom);
    void fit();

    // The tooltip of the single marker under a point of the widget, empty
    // for none or for a cluster.
    QString toolTipAt(QPoint at) const;
    int highlightedTrack() const;

    // Selects a marker of the scene, or none.
    void select(std::optional<uint32_t> marker);
    std::optional<uint32_t> selectedMarker() const;
    // Centres the view on a marker, zooming in to where its readings show.
    void centreOn(uint32_t marker);

    void setLegendVisible(bool visible);
    bool legendVisible() const { return m_legendVisible; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    void changeView(const Viewport& view);
    std::optional<uint32_t> markerAt(QPoint at) const;
    // The markers of the view as they are drawn, worked out once per view
    // for the paint, the tooltips and the clicks alike.
    const std::vector<MarkerCluster>& clusters() const;

    TileSource* m_tiles;
    std::shared_ptr<const MapScene> m_scene;
    Viewport m_view;
    mutable std::optional<std::vector<MarkerCluster>> m_clusters; // of m_view
    std::optional<Selection> m_selection;
    bool m_legendVisible = false;
    bool m_fitted = true; // the view is the fitted one: a resize or a new scene fits again
    QPoint m_pressedAt;
    QPoint m_dragFrom;
    bool m_dragging = false;
};

} // namespace wavemark
