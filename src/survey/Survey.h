#pragma once

#include "survey/AccessPoint.h"
#include "survey/Readings.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace wavemark {

// A survey from a file that holds both its access points and its readings
// (an NS1 log, a WiGLE CSV file). The readings are grouped by BSSID: every
// access point of one BSSID has all of that BSSID's readings, as the
// NetStumbler exports give them.
struct Survey {
    AccessPointList accessPoints;
    Readings readings{0};
    // The group in `readings` of each BSSID, by the text the access points
    // carry.
    std::unordered_map<std::string, int32_t> groupOfBssid;
    // Rows or records read but left out, and why ("malformed rows").
    std::vector<std::pair<std::string, int64_t>> skipped;

    // The group of a BSSID, made when it is new.
    int32_t groupOf(const std::string& bssid) {
        const auto [at, added] = groupOfBssid.try_emplace(bssid, 0);
        if (added) {
            at->second = readings.addGroup();
        }
        return at->second;
    }
};

} // namespace wavemark
