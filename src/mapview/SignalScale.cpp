#include "mapview/SignalScale.h"

#include "survey/AccessPoint.h"

#include <cmath>

namespace wavemark {
namespace {

int channel(int32_t color, int shift) {
    return (color >> shift) & 0xff;
}

int32_t mix(int32_t from, int32_t to, double part) {
    int32_t mixed = 0;
    for (const int shift : {0, 8, 16}) {
        const double value =
            channel(from, shift) + part * (channel(to, shift) - channel(from, shift));
        mixed |= static_cast<int32_t>(std::lround(value)) << shift;
    }
    return mixed;
}

} // namespace

double DbmOfLevel(double level) {
    return level - kSignalOverDbm;
}

int32_t SignalColor(double dbm) {
    if (!(dbm >= kNoSignalDbm)) {
        return kNoSignalColor;
    }
    if (dbm <= kSignalStops.front().dbm) {
        return kSignalStops.front().color;
    }
    for (size_t i = 1; i < kSignalStops.size(); ++i) {
        const SignalStop& below = kSignalStops[i - 1];
        const SignalStop& above = kSignalStops[i];
        if (dbm <= above.dbm) {
            return mix(below.color, above.color, (dbm - below.dbm) / (above.dbm - below.dbm));
        }
    }
    return kSignalStops.back().color;
}

} // namespace wavemark
