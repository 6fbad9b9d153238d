#pragma once

#include "convert/ConversionData.h"
#include "maps/MapFormat.h"

namespace wavemark {

// A KML 2.2 file, UTF-8: a Document named after the survey, shared styles
// (one per network class and label display, one per track colour and line
// width), a folder "Access points" of point placemarks with a description
// table and the time each was seen, and a folder "Tracks" of line placemarks
// spanning the time from their first to their last reading. KML colours are
// aabbggrr; coordinates are "lon,lat".
bool WriteKml(const ConversionData& data, const MapContext& context, BufferedFile& file);

} // namespace wavemark
