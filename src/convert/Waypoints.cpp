#include "convert/Waypoints.h"

#include "convert/Lists.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace wavemark {
namespace {

// The filter's pieces are not trimmed: "MOBILE, public" holds " public",
// which no trimmed network name equals; an empty piece filters empty names.
std::vector<std::string_view> filterNames(std::string_view filter) {
    std::vector<std::string_view> names;
    if (filter.empty()) {
        return names;
    }
    size_t start = 0;
    for (;;) {
        const size_t comma = filter.find(',', start);
        names.push_back(filter.substr(start, comma - start));
        if (comma == std::string_view::npos) {
            return names;
        }
        start = comma + 1;
    }
}

// "( 00:0b:86:c2:e1:40 )" gives "c2e140".
std::string nameSuffix(std::string_view bssid) {
    std::string name;
    name.reserve(6);
    name.append(bssid.substr(11, 2)).append(bssid.substr(14, 2)).append(bssid.substr(17, 2));
    return name;
}

} // namespace

void MakeWaypoints(const AccessPointList& survey, const WaypointOptions& options,
                   ConversionData& data, SummaryCountListener& listener) {
    const std::vector<std::string_view> filter = filterNames(options.APFilter);
    std::vector<const AccessPoint*> kept;
    data.CountAdHoc = data.CountWEP = data.CountNoWEP = data.CountFiltered = 0;
    data.CountSelected = 0;
    for (const AccessPoint& ap : survey.accessPoints) {
        if (std::find(filter.begin(), filter.end(), ap.networkName) != filter.end()) {
            ++data.CountFiltered;
            continue;
        }
        if (!ap.hasPosition) {
            continue;
        }
        ++data.CountSelected;
        data.CountNoWEP += ap.protection == Protection::Open;
        data.CountWEP += ap.protection == Protection::Protected;
        data.CountAdHoc += ap.adHoc;
        // WEP access points still count without a waypoint.
        if (!(options.NoWEPCheck && ap.protection == Protection::Protected)) {
            kept.push_back(&ap);
        }
    }
    listener.countersReady(data);

    const auto count = static_cast<int32_t>(kept.size());
    data.WptCount = count;
    Recreate(count, data.WptName, data.WptComment, data.WptLat, data.WptLon, data.WptTime,
             data.WptIcon, data.WptRotation, data.WptDisplay, data.WptAltitude, data.WptBssid,
             data.WptClass, data.WptTrack);
    for (size_t w = 1; w <= kept.size(); ++w) {
        const AccessPoint& ap = *kept[w - 1];
        data.WptName[w] = nameSuffix(ap.bssid);
        data.WptComment[w] = ap.networkName.empty() ? data.WptName[w] : ap.networkName;
        data.WptLat[w] = ap.lat;
        data.WptLon[w] = ap.lon;
        data.WptTime[w] = ap.time;
        const bool open = ap.protection == Protection::Open;
        data.WptIcon[w] = open ? options.IconNoWEP : options.IconWEP;
        data.WptDisplay[w] = open ? options.StyleNoWEP : options.StyleWEP;
        data.WptAltitude[w] = ap.signal;
        data.WptBssid[w] = ap.bssid;
        data.WptClass[w] = ap.adHoc ? NetworkClass::AdHoc
                           : open   ? NetworkClass::Open
                                    : NetworkClass::Protected;
    }
    data.LogDate = survey.logDate;
}

} // namespace wavemark
