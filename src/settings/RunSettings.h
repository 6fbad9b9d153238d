#pragma once

#include "convert/Settings.h"

#include <optional>
#include <string>

namespace wavemark {

// What a command line sets over the settings, each only when it is given.
struct SettingsOverrides {
    bool noTracks = false;                    // TConvertEnabled = 0
    std::optional<std::string> filter;        // APFilter
    bool onlyNoWep = false;                   // NoWEPCheck = 1
    std::optional<bool> randomColors;         // TChangeColors
    std::optional<WaypointPosition> position; // [Positions] Waypoint
};

// The settings of one run without the window: first-start defaults, then
// the keys of the settings file at `settingsPath` when one is given, then
// the overrides. False, with the message in `error`, when the settings file
// cannot be read.
bool LoadRunSettings(const std::string& programFolder,
                     const std::optional<std::string>& settingsPath,
                     const SettingsOverrides& overrides, Settings& settings, std::string& error);

} // namespace wavemark
