#pragma once

#include "survey/AccessPoint.h"
#include "survey/BssidTable.h"
#include "survey/Readings.h"
#include "survey/SurveySink.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace wavemark {

// A whole survey in memory, as a reader gives it: what several files of
// one survey are merged in (see SurveyMerger). The readings are grouped by
// BSSID: every access point of one BSSID has all of that BSSID's readings,
// as the NetStumbler exports give them. It keeps no file of readings apart
// from their access points: such a file gives it nothing.
struct Survey final : SurveySink {
    AccessPointList accessPoints;
    Readings readings{0};
    // The BSSIDs of the readings, by the text the access points carry,
    // numbered as their groups in `readings`.
    BssidTable bssids;
    // Rows or records read but left out, and why ("malformed rows").
    LeftOutCounts skipped;

    void accessPoint(const AccessPointView& ap) override;
    int32_t groupOf(const std::string& bssid) override;
    const BssidGroups& wantedGroups() override;
    Readings& groupedReadings() override { return readings; }
    void logDate(std::string date) override { accessPoints.logDate = std::move(date); }
    void leftOut(std::string reason, int64_t count) override {
        AddLeftOut(skipped, std::move(reason), count);
    }
};

} // namespace wavemark
