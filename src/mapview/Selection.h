#pragma once

#include "mapview/MapScene.h"

#include <cstdint>
#include <optional>

namespace wavemark {

// What the map shows of the access point the user picked besides its
// marker: its readings, which are its track's points, each coloured by the
// signal heard there; the strongest of them; and where its readings place
// it, when that is not the strongest reading itself.
struct Selection {
    uint32_t marker = 0;
    uint32_t first = 0; // its readings [first, end) in the scene's points
    uint32_t end = 0;
    std::optional<uint32_t> strongest; // the first reading of the highest signal
    std::optional<FixedPoint> estimate;
};

// The selection of `marker`, which must be one of the scene's markers. The
// estimate comes from the readings as EstimatePosition weighs them.
Selection SelectionOf(const MapScene& scene, uint32_t marker);

// The track a selection highlights: its marker's, -1 for none.
inline int32_t HighlightedTrack(const MapScene& scene, const Selection* selection) {
    return selection != nullptr ? scene.markers[selection->marker].track : -1;
}

} // namespace wavemark
