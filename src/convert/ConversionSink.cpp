#include "convert/ConversionSink.h"

#include "convert/Tracks.h"

namespace wavemark {

int32_t ConversionSink::groupOf(const std::string& bssid) {
    const auto [at, added] = m_groupOfBssid.try_emplace(bssid, 0);
    if (added) {
        at->second = m_readings.addGroup();
    }
    return at->second;
}

void ConversionSink::take(Survey&& survey) {
    for (const AccessPoint& ap : survey.accessPoints.accessPoints) {
        m_waypoints.add(AccessPointView::Of(ap));
    }
    survey.accessPoints.accessPoints = {};
    m_readings = std::move(survey.readings);
    m_groupOfBssid = std::move(survey.groupOfBssid);
    m_logDate = std::move(survey.accessPoints.logDate);
    m_skipped = std::move(survey.skipped);
}

void ConversionSink::finishWaypoints(ConversionData& data, SummaryCountListener& listener) {
    m_waypoints.finish(std::move(m_logDate), data, listener);
}

void ConversionSink::wantReadingsOfWaypoints(const ConversionData& data) {
    m_wanted.emplace(WaypointGroups(data));
    m_groupOfBssid = {};
    m_readings = Readings(m_wanted->count());
}

std::vector<int32_t> ConversionSink::takeGroupsOfWaypoints(const ConversionData& data) {
    std::vector<int32_t> groups =
        m_wanted ? GroupOfEachWaypoint(*m_wanted, data) : GroupOfEachWaypoint(m_groupOfBssid, data);
    m_wanted.reset();
    m_groupOfBssid = {};
    return groups;
}

} // namespace wavemark
