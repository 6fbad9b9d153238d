#pragma once

#include "convert/ConversionData.h"
#include "survey/Readings.h"

#include <cstdint>
#include <span>

namespace wavemark {

// Moves each waypoint whose access point has enough positioned readings
// (see EstimatePosition) to the position estimated from them, and keeps
// every waypoint's strongest reading's position beside it (WptPosition,
// WptStrongestLat, WptStrongestLon). `groupOfWaypoint` is the readings'
// group of each waypoint, as GroupOfEachWaypoint gives it. The readings
// stay as they are, for the tracks.
void PlaceAtEstimates(std::span<const int32_t> groupOfWaypoint, const Readings& readings,
                      ConversionData& data);

} // namespace wavemark
