#pragma once

#include "convert/ConversionData.h"
#include "survey/AccessPoint.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wavemark {

struct WaypointOptions {
    std::string APFilter; // comma-separated network names, UTF-8
    bool NoWEPCheck = false;
    int16_t IconNoWEP = 0;
    int16_t IconWEP = 0;
    uint8_t StyleNoWEP = 0;
    uint8_t StyleWEP = 0;
};

// Told the five counters once they are counted, before any waypoint is made.
class SummaryCountListener {
public:
    virtual ~SummaryCountListener() = default;
    virtual void countersReady(const ConversionData& data) = 0;
};

// Makes the waypoints of a survey's access points as they come: one per
// access point that has a position, whose name is not filtered, and that is
// not left out for WEP. The filter compares whole names, before any cut.
// The result's lists are replaced only by finish(), so a survey that fails
// on the way leaves the last conversion as it was.
class WaypointMaker {
public:
    explicit WaypointMaker(const WaypointOptions& options);
    // The filter's pieces point into the maker's own options.
    WaypointMaker(const WaypointMaker&) = delete;
    WaypointMaker& operator=(const WaypointMaker&) = delete;

    void add(const AccessPointView& ap);
    // Puts LogDate, the counters and the waypoint lists into `data`, telling
    // the listener the counters before the waypoints are there.
    void finish(std::string logDate, ConversionData& data, SummaryCountListener& listener);

private:
    WaypointOptions m_options;
    std::vector<std::string_view> m_filter; // pieces of m_options.APFilter
    int32_t m_countWEP = 0;
    int32_t m_countNoWEP = 0;
    int32_t m_countAdHoc = 0;
    int32_t m_countFiltered = 0;
    int32_t m_countSelected = 0;
    int32_t m_namesCut = 0;
    // The waypoint lists as ConversionData numbers them, from 1.
    TextList m_name{std::string_view{}};
    TextList m_comment{std::string_view{}};
    TextList m_bssid{std::string_view{}};
    std::vector<double> m_lat{0};
    std::vector<double> m_lon{0};
    std::vector<PackedTime> m_time{0};
    std::vector<int16_t> m_icon{0};
    std::vector<uint8_t> m_display{0};
    std::vector<float> m_signal{0};
    std::vector<NetworkClass> m_class{NetworkClass::Open};
};

} // namespace wavemark
