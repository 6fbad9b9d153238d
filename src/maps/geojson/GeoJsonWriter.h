#pragma once

#include "convert/ConversionData.h"
#include "maps/MapFormat.h"

namespace wavemark {

// A GeoJSON file, UTF-8: a point feature per access point and a line
// feature per track, with their details and simplestyle colours as
// properties (see GeoJsonWriter.cpp).
bool WriteGeoJson(const ConversionData& data, const MapContext& context, BufferedFile& file);

} // namespace wavemark
