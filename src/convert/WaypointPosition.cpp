#include "convert/WaypointPosition.h"

#include "platform/AsciiLetters.h"

namespace wavemark {

std::string_view WaypointPositionName(WaypointPosition position) {
    return position == WaypointPosition::Estimated ? "estimated" : "strongest";
}

std::optional<WaypointPosition> WaypointPositionNamed(std::string_view name) {
    for (const WaypointPosition position :
         {WaypointPosition::Strongest, WaypointPosition::Estimated}) {
        if (SameAsciiLetters(name, WaypointPositionName(position))) {
            return position;
        }
    }
    return std::nullopt;
}

} // namespace wavemark
