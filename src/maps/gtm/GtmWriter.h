#pragma once

#include "convert/ConversionData.h"
#include "maps/MapFormat.h"

namespace wavemark {

// A GPS TrackMaker file, version 211, little-endian throughout: the header
// with its counts and the map's limits, the datum (WGS 84), the waypoints and
// their label styles, then the trackpoints (each marks whether it starts a
// new track) and the tracks' names, line styles and colours. Texts are the
// survey's Windows-1252 bytes.
bool WriteGtm(const ConversionData& data, const MapContext& context, BufferedFile& file);

} // namespace wavemark
