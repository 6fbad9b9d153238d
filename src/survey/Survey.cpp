#include "survey/Survey.h"

namespace wavemark {

void Survey::accessPoint(const AccessPointView& ap) {
    accessPoints.accessPoints.push_back({.networkName = std::string(ap.networkName),
                                         .bssid = std::string(ap.bssid),
                                         .hasPosition = ap.hasPosition,
                                         .lat = ap.lat,
                                         .lon = ap.lon,
                                         .time = ap.time,
                                         .signal = ap.signal,
                                         .protection = ap.protection,
                                         .adHoc = ap.adHoc});
}

int32_t Survey::groupOf(const std::string& bssid) {
    const auto [group, added] = bssids.add(bssid);
    if (added) {
        readings.addGroup();
    }
    return group;
}

const BssidGroups& Survey::wantedGroups() {
    static const TextList kNoBssids{std::string_view{}};
    static const BssidGroups kNone(kNoBssids, 0);
    return kNone;
}

} // namespace wavemark
