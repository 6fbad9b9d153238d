#pragma once

#include "convert/ConversionData.h"
#include "survey/AccessPoint.h"

#include <cstdint>
#include <string>

namespace wavemark {

struct WaypointOptions {
    std::string APFilter; // comma-separated network names, Windows-1252 bytes
    bool NoWEPCheck = false;
    int16_t IconNoWEP = 0;
    int16_t IconWEP = 0;
    uint8_t StyleNoWEP = 0;
    uint8_t StyleWEP = 0;
};

// Told the five counters once they are counted, before any waypoint is made.
class SummaryCountListener {
public:
    virtual ~SummaryCountListener() = default;
    virtual void countersReady(const ConversionData& data) = 0;
};

// Makes LogDate, the counters and the waypoint lists from a survey's access
// points: one waypoint per access point that has a position, whose name is
// not filtered, and that is not left out for WEP.
void MakeWaypoints(const AccessPointList& survey, const WaypointOptions& options,
                   ConversionData& data, SummaryCountListener& listener);

} // namespace wavemark
