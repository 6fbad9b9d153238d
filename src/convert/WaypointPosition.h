#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace wavemark {

// Where a waypoint stands: at its access point's strongest reading with a
// position, where the scanner passed closest (the default), or at the
// position estimated from its readings (see EstimatePosition). An access
// point with too few readings for an estimate stays at its strongest.
enum class WaypointPosition : uint8_t { Strongest, Estimated };

// "strongest" or "estimated", as the settings file and the command line
// write them.
std::string_view WaypointPositionName(WaypointPosition position);

// The position of a name in any letter case; none for another text.
std::optional<WaypointPosition> WaypointPositionNamed(std::string_view name);

} // namespace wavemark
