#pragma once

#include "mapview/FixedPoint.h"

#include <span>

namespace wavemark {

// The box that holds the bulk of a survey, which the view is fitted to: one
// stray fix a continent away would otherwise shrink a town to a dot. The
// markers decide what is a stray: on each axis, whatever lies more than
// three times the spread of their middle half beyond its quartiles (and
// more than a 4096th of the plane, about 10 km at the equator, so a
// survey of one building keeps its street). The box holds every marker
// and track point inside those fences, or the track points alone decide
// when there are no markers.
FixedBox BulkBox(std::span<const FixedPoint> markers, std::span<const FixedPoint> points);

} // namespace wavemark
