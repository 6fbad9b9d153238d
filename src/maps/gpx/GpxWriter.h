#pragma once

#include "convert/ConversionData.h"
#include "maps/MapFormat.h"

namespace wavemark {

// A GPX 1.1 file, UTF-8: metadata (the survey's title, the time of writing),
// a waypoint per access point (its name, the network name as comment, a
// description, the symbol's name and the network's class as type), then a
// track per access point of one segment through its readings, with its
// colour and width in a gpx_style line extension. Times are UTC. Under the
// estimated rule each waypoint's extensions say which position it stands at
// and where its strongest reading was.
bool WriteGpx(const ConversionData& data, const MapContext& context, BufferedFile& file);

} // namespace wavemark
