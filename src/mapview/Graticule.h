#pragma once

#include "mapview/WebMercator.h"

#include <string>
#include <vector>

namespace wavemark {

// A line of the graticule that the map draws where it has no tiles: a
// meridian (x on the screen) or a parallel (y), with its label.
struct GraticuleLine {
    double screen = 0;
    std::string label; // "12.5°E", "48°N"; UTF-8
};

struct Graticule {
    std::vector<GraticuleLine> meridians;
    std::vector<GraticuleLine> parallels;
};

// Lines at round degrees (1, 2 or 5 times a power of ten) at least
// `minSpacing` pixels apart, those the view shows.
Graticule GraticuleOf(const Viewport& view, double minSpacing);

// A scale bar of a round length (1, 2 or 5 times a power of ten metres) no
// longer than `maxPixels`, measured at the view's centre.
struct ScaleBar {
    double pixels = 0;
    std::string label; // "200 m", "5 km"
};
ScaleBar ScaleBarOf(const Viewport& view, double maxPixels);

} // namespace wavemark
