#include "settings/PositionsSection.h"

#include <string>

namespace wavemark {
namespace {

constexpr const char* kSection = "Positions";
constexpr const char* kWaypointKey = "Waypoint";

} // namespace

void ReadPositionsSection(CDS_CIni& ini, Settings& settings) {
    std::string text;
    if (!ini.ReadValue(kSection, kWaypointKey, text)) {
        return;
    }
    if (const auto position = WaypointPositionNamed(text)) {
        settings.Waypoint = *position;
    }
}

std::vector<ProfileString> PositionsSectionEntries(const Settings& settings) {
    if (settings.Waypoint == Settings{}.Waypoint) {
        return {};
    }
    return {{kSection, kWaypointKey, std::string(WaypointPositionName(settings.Waypoint))}};
}

} // namespace wavemark
