#pragma once

#include <array>
#include <cstdint>

namespace wavemark {

// How the map colours a reading by the signal heard there. Surveys hold a
// signal as a level, dBm + kSignalOverDbm; the scale runs from weak (dark
// violet) through blue and green to strong (yellow), colours that stay apart
// from the markers' green, red and blue classes and read in grey too.

// A level this low heard nothing: NetStumbler's lost-signal readings
// (-32618) and readings of scanners that give no signal at all.
inline constexpr double kNoSignalDbm = -120.0;

struct SignalStop {
    double dbm;
    int32_t color; // 0x00BBGGRR
};

// Between two stops the colour is mixed in proportion; beyond the ends it
// is the end's.
inline constexpr std::array<SignalStop, 5> kSignalStops{{
    {-90.0, 0x540144},
    {-75.0, 0x8b523b},
    {-60.0, 0x8c9121},
    {-45.0, 0x62c95e},
    {-30.0, 0x25e7fd},
}};

inline constexpr int32_t kNoSignalColor = 0x9e9e9e;

double DbmOfLevel(double level);

// The colour of a reading of `dbm`; kNoSignalColor below kNoSignalDbm.
int32_t SignalColor(double dbm);

} // namespace wavemark
