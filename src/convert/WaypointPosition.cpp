#include "convert/WaypointPosition.h"

#include <algorithm>

namespace wavemark {

std::string_view WaypointPositionName(WaypointPosition position) {
    return position == WaypointPosition::Estimated ? "estimated" : "strongest";
}

std::optional<WaypointPosition> WaypointPositionNamed(std::string_view name) {
    const auto sameLetters = [](char a, char b) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(a) == lower(b);
    };
    for (const WaypointPosition position :
         {WaypointPosition::Strongest, WaypointPosition::Estimated}) {
        if (std::ranges::equal(name, WaypointPositionName(position), sameLetters)) {
            return position;
        }
    }
    return std::nullopt;
}

} // namespace wavemark
