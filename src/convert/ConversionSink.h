#pragma once

#include "convert/ConversionData.h"
#include "convert/Waypoints.h"
#include "survey/Survey.h"
#include "survey/SurveySink.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace wavemark {

// A survey as the conversion takes it from any reader: access points become
// waypoints as they come, so that none of them is kept twice, and readings
// wait, grouped by BSSID, for the tracks. Readings of a file that holds them
// apart are kept only for the BSSIDs of the waypoints made (see
// wantReadingsOfWaypoints).
class ConversionSink final : public SurveySink {
public:
    explicit ConversionSink(const WaypointOptions& options) : m_waypoints(options) {}

    void accessPoint(const AccessPointView& ap) override { m_waypoints.add(ap); }
    int32_t groupOf(const std::string& bssid) override;
    const BssidGroups& wantedGroups() override { return *m_wanted; }
    Readings& groupedReadings() override { return m_readings; }
    void logDate(std::string date) override { m_logDate = std::move(date); }
    void leftOut(std::string reason, int64_t count) override {
        AddLeftOut(m_skipped, std::move(reason), count);
    }

    // A survey already read whole, such as several files merged.
    void take(Survey&& survey);

    // Puts the waypoints made and the log date into `data` (see
    // WaypointMaker::finish).
    void finishWaypoints(ConversionData& data, SummaryCountListener& listener);

    // Readings read from here on are kept for the BSSIDs of `data`'s
    // waypoints only; those read before are let go.
    void wantReadingsOfWaypoints(const ConversionData& data);

    // The readings' group of each of `data`'s waypoints (see
    // GroupOfEachWaypoint); the BSSID index is let go, as only the readings
    // are needed from here on.
    std::vector<int32_t> takeGroupsOfWaypoints(const ConversionData& data);

    // The log date read last.
    std::string takeLogDate() { return std::move(m_logDate); }

    // What the readers left out, and why.
    const LeftOutCounts& skipped() const { return m_skipped; }

private:
    WaypointMaker m_waypoints;
    Readings m_readings{0};
    BssidTable m_bssids; // numbered as the readings' groups
    std::optional<BssidGroups> m_wanted;
    std::string m_logDate;
    LeftOutCounts m_skipped;
};

} // namespace wavemark
