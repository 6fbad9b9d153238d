#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wavemark {

// How an access point guards its traffic, as the scanner saw it.
enum class Protection : uint8_t { Open, Protected, Unknown };

// Whether a reading has a GPS fix: scanners write 0 / 0, and NetStumbler
// 360 / 720, for readings without one; anything outside -90..90 and
// -180..180 is no position either.
inline bool IsPosition(double lat, double lon) {
    const bool inRange = lat >= -90.0 && lat <= 90.0 && lon >= -180.0 && lon <= 180.0;
    return inRange && (lat != 0.0 || lon != 0.0);
}

// Signal levels are held as NetStumbler's exports print them, dBm plus 149
// ("[ 28 81 53 ]" is -68 dBm over -96 dBm; a lost signal, -32767 dBm,
// prints as -32618): a reader of dBm adds this.
inline constexpr int kSignalOverDbm = 149;

// One access point of a survey, as the scanner summed it up. Texts are
// UTF-8, whatever the survey file's encoding.
struct AccessPoint {
    std::string networkName;  // as the survey's own rules read it
    std::string bssid;        // as the survey writes it
    bool hasPosition = false; // no GPS fix when it was seen: lat, lon mean nothing
    double lat = 0.0;
    double lon = 0.0;
    int64_t time = 0; // UTC seconds (see SurveyTime.h), or kNoTime
    float signal = 0.0f;
    Protection protection = Protection::Unknown;
    bool adHoc = false;
};

// An access point as a reader meets it, its texts still in the bytes it
// was read from: a reader that streams hands these on without making
// strings of them.
struct AccessPointView {
    std::string_view networkName;
    std::string_view bssid;
    bool hasPosition = false;
    double lat = 0.0;
    double lon = 0.0;
    int64_t time = 0;
    float signal = 0.0f;
    Protection protection = Protection::Unknown;
    bool adHoc = false;

    static AccessPointView Of(const AccessPoint& ap) {
        return {ap.networkName, ap.bssid,  ap.hasPosition, ap.lat,  ap.lon,
                ap.time,        ap.signal, ap.protection,  ap.adHoc};
    }
};

// The access points of a survey in the survey's order, and the date of its
// log: the last date the survey names.
struct AccessPointList {
    std::vector<AccessPoint> accessPoints;
    std::string logDate;
};

} // namespace wavemark
