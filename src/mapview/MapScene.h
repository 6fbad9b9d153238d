#pragma once

#include "convert/ConversionData.h"
#include "mapview/FixedPoint.h"
#include "mapview/MarkerIndex.h"

#include <cstdint>
#include <string>
#include <vector>

namespace wavemark {

// A track as the map draws it: its points [first, end) in the scene's
// point list, the box around them, and its colour and line style.
struct SceneTrack {
    uint32_t first = 0;
    uint32_t end = 0;
    FixedBox bounds;
    int32_t color = 0; // 0x00BBGGRR
    int16_t lineStyle = 0;
};

// An access point's marker and what its tooltip says. Texts are UTF-8.
struct SceneMarker {
    FixedPoint at;
    NetworkClass networkClass = NetworkClass::Open;
    int32_t track = -1; // index into the scene's tracks, -1 for none
    std::string name;
    std::string network;
    std::string bssid;
    int signal = 0;
};

// What the map window shows of a conversion result. It is a copy, on the
// plane, so that the map can paint while a later conversion remakes the
// result it came from.
struct MapScene {
    std::vector<FixedPoint> points;
    std::vector<float> levels; // each point's signal level, dBm + kSignalOverDbm
    std::vector<SceneTrack> tracks;
    std::vector<SceneMarker> markers;
    MarkerIndex index;
    FixedBox bounds;
    FixedBox bulk; // the survey without its strays, which the view is fitted to
};

MapScene SceneOf(const ConversionData& data);

// The tooltip of a marker: its name (the last BSSID octets), network name, BSSID, class, signal and
// the number of readings its track was drawn through, one per line.
std::string MarkerToolTip(const MapScene& scene, const SceneMarker& marker);

} // namespace wavemark
