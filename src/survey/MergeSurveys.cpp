#include "survey/MergeSurveys.h"

#include <algorithm>
#include <utility>

namespace wavemark {
namespace {

void mergeAccessPoints(AccessPointList& total, AccessPointList& next, BssidTable& bssids,
                       std::vector<size_t>& accessPointOf) {
    for (AccessPoint& ap : next.accessPoints) {
        const auto [number, added] = bssids.add(ap.bssid);
        if (added) {
            accessPointOf.push_back(total.accessPoints.size());
            total.accessPoints.push_back(std::move(ap));
            continue;
        }
        AccessPoint& kept = total.accessPoints[accessPointOf[static_cast<size_t>(number)]];
        // A reading with a position beats one without, whatever its signal.
        if (std::pair(ap.hasPosition, ap.signal) > std::pair(kept.hasPosition, kept.signal)) {
            kept = std::move(ap);
        }
    }
    total.logDate = std::max(total.logDate, next.logDate);
}

void mergeReadings(Survey& total, Survey& next) {
    std::vector<int32_t> groupInTotal(next.readings.countOfGroup.size(), -1);
    for (size_t group = 0; group < groupInTotal.size(); ++group) {
        groupInTotal[group] = total.groupOf(next.bssids.textOf(static_cast<int32_t>(group)));
    }
    Readings& from = next.readings;
    for (size_t i = 0; i < from.group.size(); ++i) {
        const auto group = static_cast<size_t>(from.group[i]);
        total.readings.add(groupInTotal[group], from.lat[i], from.lon[i], from.time[i],
                           from.signal[i], from.lastProtectionOfGroup[group]);
    }
}

} // namespace

void SurveyMerger::add(Survey&& next) {
    if (m_empty) {
        m_empty = false;
        m_total = std::move(next);
        const std::vector<AccessPoint>& aps = m_total.accessPoints.accessPoints;
        for (size_t i = 0; i < aps.size(); ++i) {
            if (m_bssids.add(aps[i].bssid).second) {
                m_accessPointOf.push_back(i);
            }
        }
        return;
    }
    mergeAccessPoints(m_total.accessPoints, next.accessPoints, m_bssids, m_accessPointOf);
    mergeReadings(m_total, next);
    for (auto& [reason, count] : next.skipped) {
        m_total.leftOut(std::move(reason), count);
    }
}

} // namespace wavemark
