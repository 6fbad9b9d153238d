#include "convert/ConversionSink.h"

#include "convert/Tracks.h"

namespace wavemark {

int32_t ConversionSink::groupOf(const std::string& bssid) {
    const auto [group, added] = m_bssids.add(bssid);
    if (added) {
        m_readings.addGroup();
    }
    return group;
}

void ConversionSink::take(Survey&& survey) {
    for (const AccessPoint& ap : survey.accessPoints.accessPoints) {
        m_waypoints.add(AccessPointView::Of(ap));
    }
    survey.accessPoints.accessPoints = {};
    m_readings = std::move(survey.readings);
    m_bssids = std::move(survey.bssids);
    m_logDate = std::move(survey.accessPoints.logDate);
    m_skipped = std::move(survey.skipped);
}

void ConversionSink::finishWaypoints(ConversionData& data, SummaryCountListener& listener) {
    m_waypoints.finish(std::move(m_logDate), data, listener);
}

void ConversionSink::wantReadingsOfWaypoints(const ConversionData& data) {
    m_wanted.emplace(WaypointGroups(data));
    m_bssids = BssidTable();
    m_readings = Readings(m_wanted->count());
}

std::vector<int32_t> ConversionSink::takeGroupsOfWaypoints(const ConversionData& data) {
    std::vector<int32_t> groups =
        m_wanted ? GroupOfEachWaypoint(*m_wanted, data) : GroupOfEachWaypoint(m_bssids, data);
    m_wanted.reset();
    m_bssids = BssidTable();
    return groups;
}

} // namespace wavemark
