#include "survey/MergeSurveys.h"

#include <algorithm>
#include <unordered_map>

namespace wavemark {
namespace {

void mergeAccessPoints(AccessPointList& total, const AccessPointList& next) {
    std::unordered_map<std::string, size_t> indexOf;
    for (size_t i = 0; i < total.accessPoints.size(); ++i) {
        indexOf.try_emplace(total.accessPoints[i].bssid, i);
    }
    for (const AccessPoint& ap : next.accessPoints) {
        const auto [at, added] = indexOf.try_emplace(ap.bssid, total.accessPoints.size());
        if (added) {
            total.accessPoints.push_back(ap);
            continue;
        }
        AccessPoint& kept = total.accessPoints[at->second];
        // A reading with a position beats one without, whatever its signal.
        if (std::pair(ap.hasPosition, ap.signal) > std::pair(kept.hasPosition, kept.signal)) {
            kept = ap;
        }
    }
    total.logDate = std::max(total.logDate, next.logDate);
}

void mergeReadings(Survey& total, Survey& next) {
    std::vector<int32_t> groupInTotal(next.readings.countOfGroup.size(), -1);
    for (const auto& [bssid, group] : next.groupOfBssid) {
        groupInTotal[static_cast<size_t>(group)] = total.groupOf(bssid);
    }
    Readings& from = next.readings;
    for (size_t i = 0; i < from.group.size(); ++i) {
        const auto group = static_cast<size_t>(from.group[i]);
        total.readings.add(groupInTotal[group], from.lat[i], from.lon[i], from.time[i],
                           from.signal[i], from.lastProtectionOfGroup[group]);
    }
}

void mergeSkipped(Survey& total, const Survey& next) {
    for (const auto& [reason, count] : next.skipped) {
        const auto same =
            std::ranges::find(total.skipped, reason, &std::pair<std::string, int64_t>::first);
        if (same == total.skipped.end()) {
            total.skipped.emplace_back(reason, count);
        } else {
            same->second += count;
        }
    }
}

} // namespace

void MergeSurvey(Survey& total, Survey& next) {
    mergeAccessPoints(total.accessPoints, next.accessPoints);
    mergeReadings(total, next);
    mergeSkipped(total, next);
}

} // namespace wavemark
