#include "maps/gtm/MapLimits.h"

#include <vector>

#include <span>

namespace wavemark {
namespace {

// One rule for all four bounds: compare in double, store as float.
void stretch(float& low, float& high, double value) {
    if (static_cast<double>(low) > value) {
        low = static_cast<float>(value);
    }
    if (static_cast<double>(high) < value) {
        high = static_cast<float>(value);
    }
}

struct Box {
    float& maxlon;
    float& minlon;
    float& maxlat;
    float& minlat;

    void startAt(double lat, double lon) {
        minlat = maxlat = static_cast<float>(lat);
        minlon = maxlon = static_cast<float>(lon);
    }

    void widen(std::span<const double> lats, std::span<const double> lons, int32_t count) {
        for (int32_t i = 1; i <= count; ++i) {
            stretch(minlat, maxlat, lats[static_cast<size_t>(i)]);
            stretch(minlon, maxlon, lons[static_cast<size_t>(i)]);
        }
    }
};

} // namespace

void calculate_limits(const ConversionData& data, float& maxlon1, float& minlon1, float& maxlat1,
                      float& minlat1) {
    Box box{maxlon1, minlon1, maxlat1, minlat1};
    if (data.WptCount >= 1) {
        box.startAt(data.WptLat[1], data.WptLon[1]);
    } else if (data.TrkPointCount >= 1) {
        box.startAt(data.TptLat[1], data.TptLon[1]);
    } else {
        box.startAt(0.0, 0.0);
    }
    box.widen(data.WptLat, data.WptLon, data.WptCount);
    box.widen(data.TptLat, data.TptLon, data.TrkPointCount);
}

} // namespace wavemark
