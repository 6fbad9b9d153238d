#include "CivilTime.h"
#include "RouteBuilder.h"
#include "SurveyBuilder.h"

#include <algorithm>
#include <array>

namespace wavemark {

namespace {

enum class Kind { Open, Wep, AdHoc };

struct SampleAccessPoint {
    const char* ssid;
    Kind kind;
    int64_t readings;
    Fix summaryFix = Fix::Position;
    bool lostSignal = false;
};

// Every case the sample is there to show appears once: a filtered name, an
// empty name, an ad-hoc peer, no position in the summary, a lost signal,
// single readings, a Windows-1252 name and a near miss of a filter name.
const std::array<SampleAccessPoint, 30> kAccessPoints{{
    {"linksys", Kind::Open, 14},
    {"public", Kind::Open, 12},
    {"Bluewin-4821", Kind::Wep, 18},
    {"", Kind::Wep, 10},
    {"Caf\351 Odeon", Kind::Open, 16},
    {"NETGEAR", Kind::Wep, 20, Fix::Position, true},
    {"HP-Laptop", Kind::AdHoc, 8},
    {"ZyXEL", Kind::Wep, 11, Fix::Zero},
    {"SpeedTouch3A4F21", Kind::Wep, 15},
    {"Hotel Limmat", Kind::Open, 1},
    {"default", Kind::Open, 9},
    {"Sunrise_2G", Kind::Wep, 13},
    {"ETH-guest", Kind::Open, 17},
    {"tsunami", Kind::Open, 6},
    {"B\344ckerei M\374ller", Kind::Wep, 12},
    {"Apple Network 5e2c01", Kind::Wep, 14},
    {"dlink", Kind::Open, 10},
    {"Public", Kind::Open, 7},
    {"WLAN", Kind::Wep, 19},
    {"Belkin54g", Kind::Open, 11},
    {"Praxis Dr. Keller", Kind::Wep, 9},
    {"3Com", Kind::Open, 1},
    {"hpsetup", Kind::Open, 8},
    {"Zunfthaus", Kind::Wep, 16},
    {"wireless", Kind::Open, 12},
    {"Cablecom-7F3A", Kind::Wep, 15},
    {"Fam. Huber", Kind::Wep, 13},
    {"SMC", Kind::Open, 5},
    {"Migros-Staff", Kind::Wep, 18},
    {"Kiosk", Kind::Open, 4},
}};

} // namespace

Survey buildSampleSurvey() {
    Prng rng(20040408);
    Survey survey;
    int64_t readings = 0;
    for (size_t i = 0; i < kAccessPoints.size(); ++i) {
        const SampleAccessPoint& sample = kAccessPoints[i];
        AccessPoint ap;
        ap.ssid = sample.ssid;
        ap.filtered = ap.ssid == "public";
        ap.adhoc = sample.kind == Kind::AdHoc;
        ap.bssid = makeBssid(i, ap.adhoc ? "02:1c:4a" : "00:0b:86", 0x5a17e5);
        ap.flags = sample.kind == Kind::Wep ? "0011" : sample.kind == Kind::AdHoc ? "0002" : "0001";
        ap.summaryFix = sample.summaryFix;
        ap.readings = sample.readings;
        ap.lostSignalAt = sample.lostSignal ? sample.readings / 2 : -1;
        ap.channel = static_cast<int>(1 + 5 * rng.below(3));
        ap.noise = static_cast<int>(rng.between(45, 52));
        ap.peakSnr = static_cast<int>(rng.between(10, 45));
        readings += ap.readings;
        survey.aps.push_back(ap);
    }
    // One short drive, half of it before midnight.
    const auto steps = static_cast<size_t>(std::max<int64_t>(readings / 4, 100));
    const int64_t start = secondsFromCivil(2004, 4, 8) + 86400 - static_cast<int64_t>(steps) / 2;
    buildRoute(survey, {DrivePlan{&kZurich, start, steps}}, rng);
    placeAccessPoints(survey, rng);
    return survey;
}

} // namespace wavemark
