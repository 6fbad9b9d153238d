#pragma once

#include "convert/ConversionData.h"

namespace wavemark {

// The bounding box of all waypoints and trackpoints, as the 4-byte floats of
// the GTM header. The box starts at the first waypoint (or, without one, the
// first trackpoint) and widens only on strictly smaller or greater values;
// each test compares a point's double with the stored float widened back.
// With no point at all the four results are 0. The 180th meridian is not
// taken into account.
void calculate_limits(const ConversionData& data, float& maxlon1, float& minlon1, float& maxlat1,
                      float& minlat1);

} // namespace wavemark
