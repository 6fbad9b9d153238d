#include "MapBench.h"

#include "mapview/ViewFit.h"
#include "ui/map/MapCanvas.h"

#include <QElapsedTimer>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace wavemark {
namespace {

constexpr int kRuns = 7;
constexpr double kTargetMs = 50;

template <typename T, typename A> size_t bytes(const std::vector<T, A>& list) {
    return list.capacity() * sizeof(T);
}

size_t bytes(const TextList& list) {
    return list.capacityBytes();
}

size_t bytes(const std::string& text) {
    return text.capacity() > 15 ? text.capacity() + 1 : 0;
}

size_t resultBytes(const ConversionData& d) {
    return bytes(d.WptName) + bytes(d.WptComment) + bytes(d.WptLat) + bytes(d.WptLon) +
           bytes(d.WptTime) + bytes(d.WptIcon) + bytes(d.WptRotation) + bytes(d.WptDisplay) +
           bytes(d.WptSignal) + bytes(d.WptBssid) + bytes(d.WptClass) + bytes(d.WptTrack) +
           bytes(d.TrkName) + bytes(d.TrkLineStyle) + bytes(d.TrkScale) + bytes(d.TrkColor) +
           bytes(d.TrkClass) + bytes(d.TrkFirstPoint) + bytes(d.TptLat) + bytes(d.TptLon) +
           bytes(d.TptTime) + bytes(d.TptSignal);
}

// The index holds a cell key and a number per marker, besides its copy of
// the places.
size_t sceneBytes(const MapScene& scene) {
    size_t total = bytes(scene.points) + bytes(scene.levels) + bytes(scene.tracks) +
                   bytes(scene.markers) + scene.markers.size() * (sizeof(FixedPoint) + 12);
    for (const SceneMarker& marker : scene.markers) {
        total += bytes(marker.name) + bytes(marker.network) + bytes(marker.bssid);
    }
    return total;
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Where the survey is densest, near enough: the median of the trackpoints'
// places on each axis. Zooming in there keeps the most in view.
PlanePoint busiestPlace(const MapScene& scene) {
    if (scene.points.empty()) {
        return {0.5, 0.5};
    }
    std::vector<uint32_t> xs;
    std::vector<uint32_t> ys;
    for (const FixedPoint& point : scene.points) {
        xs.push_back(point.x);
        ys.push_back(point.y);
    }
    const auto middle = static_cast<std::ptrdiff_t>(xs.size() / 2);
    std::nth_element(xs.begin(), xs.begin() + middle, xs.end());
    std::nth_element(ys.begin(), ys.begin() + middle, ys.end());
    return ToPlane(FixedPoint{xs[xs.size() / 2], ys[ys.size() / 2]});
}

} // namespace

void PrintMapBench(MapCanvas& canvas, const ConversionData& data) {
    // From the view of every point, strays and all, which Home no longer
    // shows but zooming out does.
    const Viewport whole =
        FitView(canvas.scene().bounds, canvas.width(), canvas.height(), kFitMargin);
    const PlanePoint busiest = busiestPlace(canvas.scene());
    QImage image(canvas.size(), QImage::Format_ARGB32_Premultiplied);
    double worst = 0;
    for (int zoom = whole.zoom; zoom <= kMaxZoom; ++zoom) {
        std::vector<double> times;
        for (int run = 0; run < kRuns; ++run) {
            // Set again each time, as a pan or zoom sets it: the canvas then
            // gathers the view's clusters anew rather than from the run before.
            canvas.setView(zoom == whole.zoom ? whole.center : busiest, zoom);
            QElapsedTimer clock;
            clock.start();
            canvas.render(&image);
            times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        }
        worst = std::max(worst, median(times));
        std::printf("map redraw at zoom %d: %.1f ms\n", zoom, median(times));
    }
    std::printf("map redraw, slowest zoom level: %.1f ms (target %.0f ms): %s\n", worst, kTargetMs,
                worst <= kTargetMs ? "met" : "MISSED");
    const double map = static_cast<double>(sceneBytes(canvas.scene())) / (1 << 20);
    const double result = static_cast<double>(resultBytes(data)) / (1 << 20);
    std::printf("map memory: %.1f MiB, conversion result %.1f MiB: %.2f x (target 2 x): %s\n", map,
                result, map / result, map <= 2 * result ? "met" : "MISSED");
}

} // namespace wavemark
