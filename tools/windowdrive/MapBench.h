#pragma once

#include "convert/ConversionData.h"

namespace wavemark {

class MapCanvas;

// Times the map's redraw, the way the window paints it, at each zoom level
// from the whole survey to the last, and prints the times and the map's
// memory beside that of the conversion result.
void PrintMapBench(MapCanvas& canvas, const ConversionData& data);

} // namespace wavemark
