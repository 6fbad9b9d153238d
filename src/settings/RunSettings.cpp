#include "settings/RunSettings.h"

#include "settings/SettingsFile.h"
#include "settings/SettingsTable.h"

namespace wavemark {

bool LoadRunSettings(const std::string& programFolder,
                     const std::optional<std::string>& settingsPath,
                     const SettingsOverrides& overrides, Settings& settings, std::string& error) {
    settings = FirstStartSettings(programFolder);
    if (settingsPath && !LoadSettingsFile(*settingsPath, settings, error)) {
        return false;
    }
    if (overrides.noTracks) {
        settings.TConvertEnabled = 0;
    }
    if (overrides.filter) {
        settings.APFilter = *overrides.filter;
    }
    if (overrides.onlyNoWep) {
        settings.NoWEPCheck = 1;
    }
    if (overrides.randomColors) {
        settings.TChangeColors = *overrides.randomColors ? 1 : 0;
    }
    if (overrides.position) {
        settings.Waypoint = *overrides.position;
    }
    return true;
}

} // namespace wavemark
