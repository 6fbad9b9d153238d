#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wavemark {

// Coordinates are whole units of 1e-7 degree, the precision the exports
// write, so every position is exact and no floating point is involved.
constexpr int64_t kLatUnitsPerMeter = 90;

// "47.3770150" for 473770150 units: the magnitude with the exports' seven
// decimals; the sign is written by the caller.
inline std::string degreesText(int64_t units) {
    const int64_t magnitude = units < 0 ? -units : units;
    const std::string fraction = std::to_string(magnitude % 10000000);
    std::string text = std::to_string(magnitude / 10000000);
    return text.append(".").append(7 - fraction.size(), '0').append(fraction);
}

// How a reading or a summary line gives its position.
enum class Fix {
    Position,   // a real fix
    Zero,       // "N 0.0000000  E 0.0000000"
    OutOfRange, // "N 360.0000000  E 720.0000000", what the scanner writes without GPS
};

struct City {
    const char* name;
    int64_t lat; // centre
    int64_t lon;
    int64_t lonUnitsPerMeter; // depends on the latitude
};

// One second-ish of driving: where the car is and whether the GPS has a fix.
struct Step {
    int64_t time; // seconds since 1970-01-01
    int64_t lat;
    int64_t lon;
    Fix fix;
};

// A contiguous run of steps in one city: steps [begin, end).
struct Drive {
    const City* city;
    size_t begin;
    size_t end;
};

struct AccessPoint {
    std::string ssid; // bytes as the export writes them (Windows-1252)
    std::string bssid;
    std::string flags; // the capability field as four hex digits
    bool adhoc = false;
    bool filtered = false; // the SSID is one of the default filter names
    int channel = 6;
    int noise = 50;
    int peakSnr = 30;

    Fix summaryFix = Fix::Position;
    // Where the summary places it: where it stands, near the route; in a
    // simulated survey, its strongest reading with a fix, as a scanner
    // places it, and where it stands is trueLat, trueLon.
    int64_t lat = 0;
    int64_t lon = 0;
    int64_t trueLat = 0;
    int64_t trueLon = 0;

    // The scanner hears it on steps [firstStep, firstStep + readings).
    int64_t readings = 1;
    size_t firstStep = 0;
    size_t centerStep = 0;
    int64_t lostSignalAt = -1; // index of a reading that lost the signal, or -1

    // The privacy bit, 0x0010: WEP.
    bool wep() const { return (std::stoi(flags, nullptr, 16) & 0x0010) != 0; }
    // The last three octets of the BSSID: the waypoint name.
    std::string nameSuffix() const {
        return bssid.substr(9, 2) + bssid.substr(12, 2) + bssid.substr(15, 2);
    }
};

// One reading as the scanner made it: which access point, at which step,
// with which levels (the exports' SNR, Sig and Noise).
struct HeardReading {
    size_t ap;
    size_t step;
    int snr;
    int signal;
    int noise;
    bool lost;
};

// Access points are held in the order they were first heard, which is the
// order of the summary export.
struct Survey {
    std::vector<Step> steps;
    std::vector<Drive> drives;
    std::vector<AccessPoint> aps;
    // A simulated survey's readings in the scanner's order; the others make
    // theirs from each access point's run of steps (see forEachReading).
    std::vector<HeardReading> heard;
    bool simulated = false;
};

} // namespace wavemark
