#include "convert/Waypoints.h"

#include "convert/Lists.h"

#include <algorithm>
#include <cstdint>
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

// The name cut to kMaxNameBytes at the start of a UTF-8 character.
std::string_view cutName(std::string_view name) {
    if (name.size() <= kMaxNameBytes) {
        return name;
    }
    size_t end = kMaxNameBytes;
    while (end > 0 && (static_cast<uint8_t>(name[end]) & 0xC0) == 0x80) {
        --end;
    }
    return name.substr(0, end);
}

template <typename... T> void shrinkToFit(std::vector<T>&... lists) {
    (lists.shrink_to_fit(), ...);
}

} // namespace

WaypointMaker::WaypointMaker(const WaypointOptions& options)
    : m_options(options), m_filter(filterNames(m_options.APFilter)) {}

void WaypointMaker::add(const AccessPointView& ap) {
    if (std::find(m_filter.begin(), m_filter.end(), ap.networkName) != m_filter.end()) {
        ++m_countFiltered;
        return;
    }
    if (!ap.hasPosition) {
        return;
    }
    ++m_countSelected;
    const bool open = ap.protection == Protection::Open;
    m_countNoWEP += open;
    m_countWEP += ap.protection == Protection::Protected;
    m_countAdHoc += ap.adHoc;
    // WEP access points still count without a waypoint.
    if (m_options.NoWEPCheck && ap.protection == Protection::Protected) {
        return;
    }
    m_name.push_back(nameSuffix(ap.bssid));
    const std::string_view name = cutName(ap.networkName);
    m_namesCut += name.size() < ap.networkName.size();
    m_comment.push_back(name.empty() ? m_name[m_name.size() - 1] : name);
    m_bssid.push_back(ap.bssid);
    m_lat.push_back(ap.lat);
    m_lon.push_back(ap.lon);
    m_time.push_back(PackTime(ap.time));
    m_icon.push_back(open ? m_options.IconNoWEP : m_options.IconWEP);
    m_display.push_back(open ? m_options.StyleNoWEP : m_options.StyleWEP);
    m_signal.push_back(ap.signal);
    m_class.push_back(ap.adHoc ? NetworkClass::AdHoc
                      : open   ? NetworkClass::Open
                               : NetworkClass::Protected);
}

void WaypointMaker::finish(std::string logDate, ConversionData& data,
                           SummaryCountListener& listener) {
    data.CountWEP = m_countWEP;
    data.CountNoWEP = m_countNoWEP;
    data.CountAdHoc = m_countAdHoc;
    data.CountFiltered = m_countFiltered;
    data.CountSelected = m_countSelected;
    data.NamesCut = m_namesCut;
    listener.countersReady(data);

    // The lists grew as the access points came, by half again at a time;
    // the room left over would stay for as long as the result does.
    for (TextList* texts : {&m_name, &m_comment, &m_bssid}) {
        texts->shrinkToFit();
    }
    shrinkToFit(m_lat, m_lon, m_time, m_icon, m_display, m_signal, m_class);

    const auto count = static_cast<int32_t>(m_lat.size() - 1);
    data.WptCount = count;
    data.WptName = std::move(m_name);
    data.WptComment = std::move(m_comment);
    data.WptBssid = std::move(m_bssid);
    data.WptLat = std::move(m_lat);
    data.WptLon = std::move(m_lon);
    data.WptTime = std::move(m_time);
    data.WptIcon = std::move(m_icon);
    data.WptDisplay = std::move(m_display);
    data.WptSignal = std::move(m_signal);
    data.WptClass = std::move(m_class);
    Recreate(count, data.WptRotation, data.WptTrack);
    // Each waypoint at its strongest reading: a second position comes only
    // with estimates (see PlaceAtEstimates).
    data.WptPosition = {};
    data.WptStrongestLat = {};
    data.WptStrongestLon = {};
    data.LogDate = std::move(logDate);
}

} // namespace wavemark
