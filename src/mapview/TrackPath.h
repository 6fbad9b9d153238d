#pragma once

#include "mapview/MapScene.h"
#include "mapview/WebMercator.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace wavemark {

struct PixelPoint {
    int x = 0;
    int y = 0;

    bool operator==(const PixelPoint&) const = default;
};

// The part of a track a view shows, as runs of screen pixels, simplified
// for the zoom level: a point is drawn only once it lies `tolerance` pixels
// or more from the last one drawn (on either axis), since nearer points
// change no pixel a line of that width covers. Segments that pass the view
// more than `margin` pixels away are left out, so a zoomed-in view walks
// through a long track without drawing it all. Each run is handed to
// `draw`, which must copy what it keeps.
class TrackPath {
public:
    TrackPath(const Viewport& view, int tolerance, int margin);

    void setTolerance(int tolerance) { m_tolerance = std::max(tolerance, 1); }

    template <typename Draw> void walk(const MapScene& scene, const SceneTrack& track, Draw draw) {
        m_run.clear();
        for (uint32_t p = track.first; p < track.end; ++p) {
            const PixelPoint pixel = toPixel(scene.points[p]);
            if (p == track.first) {
                m_previous = pixel;
                continue;
            }
            if (!nearView(m_previous, pixel)) {
                flush(draw);
            } else {
                if (m_run.empty()) {
                    m_run.push_back(m_previous);
                }
                if (farFromLast(pixel) || p + 1 == track.end) {
                    m_run.push_back(pixel);
                }
            }
            m_previous = pixel;
        }
        flush(draw);
    }

private:
    PixelPoint toPixel(FixedPoint point) const {
        return {static_cast<int>(static_cast<int64_t>(point.x >> m_shift) - m_originX),
                static_cast<int>(static_cast<int64_t>(point.y >> m_shift) - m_originY)};
    }
    // Both are asked once per point of every track in view, so they stay
    // here where the walk can inline them.
    bool nearView(PixelPoint a, PixelPoint b) const {
        return std::max(a.x, b.x) >= m_left && std::min(a.x, b.x) <= m_right &&
               std::max(a.y, b.y) >= m_top && std::min(a.y, b.y) <= m_bottom;
    }
    bool farFromLast(PixelPoint pixel) const {
        const PixelPoint& last = m_run.back();
        return std::abs(pixel.x - last.x) >= m_tolerance ||
               std::abs(pixel.y - last.y) >= m_tolerance;
    }
    template <typename Draw> void flush(Draw& draw) {
        if (m_run.size() >= 2) {
            draw(m_run);
        }
        m_run.clear();
    }

    int m_shift;
    int64_t m_originX;
    int64_t m_originY;
    int m_left;
    int m_top;
    int m_right;
    int m_bottom;
    int m_tolerance;
    PixelPoint m_previous;
    std::vector<PixelPoint> m_run;
};

} // namespace wavemark
