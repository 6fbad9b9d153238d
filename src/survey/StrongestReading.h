#pragma once

#include "survey/AccessPoint.h"

#include <cstdint>

namespace wavemark {

// Where the waypoint of an access point goes, for a survey file that gives
// readings rather than a summary: its strongest reading with a position
// (the first of equals), which beats any without one; while it has none,
// the time and signal of its strongest reading without one.
struct StrongestReading {
    bool heard = false; // any reading
    bool positioned = false;
    double lat = 0.0;
    double lon = 0.0;
    int64_t time = 0;
    float signal = 0.0f;

    void hear(double readingLat, double readingLon, int64_t readingTime, float readingSignal) {
        if (IsPosition(readingLat, readingLon)) {
            if (!positioned || readingSignal > signal) {
                lat = readingLat;
                lon = readingLon;
                time = readingTime;
                signal = readingSignal;
            }
            positioned = true;
        } else if (!positioned && (!heard || readingSignal > signal)) {
            time = readingTime;
            signal = readingSignal;
        }
        heard = true;
    }
};

} // namespace wavemark
