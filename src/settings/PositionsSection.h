#pragma once

#include "convert/Settings.h"
#include "settings/CDS_CIni.h"
#include "settings/ProfileService.h"

#include <vector>

namespace wavemark {

// The [Positions] section of Wavemark.ini: its key Waypoint says where
// waypoints stand, "strongest" (the default) or "estimated". The window has
// no control for it: the user sets it in the file, and the window keeps it.

// Reads the key over `settings.Waypoint`; a missing key or another word
// keeps it. Call between ini.Load() and ini.Unload().
void ReadPositionsSection(CDS_CIni& ini, Settings& settings);

// The section's entries to write: none while the key is at its default, so
// a file where it was never changed gets no such section.
std::vector<ProfileString> PositionsSectionEntries(const Settings& settings);

} // namespace wavemark
