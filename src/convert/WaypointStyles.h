#pragma once

#include "convert/ConversionData.h"
#include "convert/Settings.h"

namespace wavemark {

// Builds the four label styles of the GTM file from the font and text-box
// settings: one per display style, the fourth (text box) with the filled
// background when WPTBoxBack is set.
void BuildWaypointStyles(const Settings& settings, ConversionData& data);

} // namespace wavemark
