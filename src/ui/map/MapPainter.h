#pragma once

#include "mapview/MapScene.h"
#include "mapview/MarkerClusters.h"
#include "mapview/Selection.h"
#include "mapview/WebMercator.h"

#include <QColor>
#include <QPointF>
#include <array>
#include <vector>

class QPainter;

namespace wavemark {

class TileSource;

// What is drawn over the scene besides itself.
struct MapLayers {
    // The view's markers as ClustersInView gives them.
    const std::vector<MarkerCluster>& clusters;
    const TileSource* tiles = nullptr; // tiles are drawn where they have arrived
    // Its marker ringed, its track highlighted, its readings and estimate
    // over the markers.
    const Selection* selection = nullptr;
    bool legend = false;
};

// Paints the view of the scene, bottom to top: a plain background with a
// graticule, the tiles that have arrived, the tracks, the markers (those
// that would overlap as one circle with their count), the single markers'
// names where they fit without overlap, the selection, a scale bar and the
// legend (or, while it is hidden, the signal scale of a selection alone).
void PaintMap(QPainter& painter, const MapScene& scene, const Viewport& view,
              const MapLayers& layers);

// Where a point of the plane stands in the view, in pixels.
QPointF ScreenPointOf(const Viewport& view, FixedPoint at);

// The classes in the order the map and its legend show them.
inline constexpr std::array<NetworkClass, 3> kMapClasses{
    NetworkClass::Open, NetworkClass::Protected, NetworkClass::AdHoc};

// A marker's colour on the map, its class's, and its radius in pixels.
QColor MarkerColor(NetworkClass networkClass);
inline constexpr int kMarkerRadius = 5;

} // namespace wavemark
