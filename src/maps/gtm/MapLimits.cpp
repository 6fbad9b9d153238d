#include "maps/gtm/MapLimits.h"

#include <vector>

namespace wavemark {
namespace {

struct Box {
    float& maxlon;
    float& minlon;
    float& maxlat;
    float& minlat;

    void startAt(double lat, double lon) {
        minlat = maxlat = static_cast<float>(lat);
        minlon = maxlon = static_cast<float>(lon);
    }

    void widen(const std::vector<double>& lats, const std::vector<double>& lons, int32_t count) {
        for (size_t i = 1; i <= static_cast<size_t>(count); ++i) {
            const double lat = lats[i];
            const double lon = lons[i];
            if (static_cast<double>(minlat) > lat) {
                minlat = static_cast<float>(lat);
            }
            if (static_cast<double>(maxlat) < lat) {
                maxlat = static_cast<float>(lat);
            }
            if (static_cast<double>(minlon) > lon) {
                minlon = static_cast<float>(lon);
            }
            if (static_cast<double>(maxlon) < lon) {
                maxlon = static_cast<float>(lon);
            }
        }
    }
};

} // namespace

void calculate_limits(const ConversionData& data, float& maxlon1, float& minlon1, float& maxlat1,
                      float& minlat1) {
    Box box{maxlon1, minlon1, maxlat1, minlat1};
    if (data.WptCount < 1 && data.TrkPointCount < 1) {
        box.startAt(0.0, 0.0);
        return;
    }
    if (data.WptCount >= 1) {
        box.startAt(data.WptLat[1], data.WptLon[1]);
        box.widen(data.WptLat, data.WptLon, data.WptCount);
    }
    if (data.TrkPointCount >= 1) {
        if (data.WptCount < 1) {
            box.startAt(data.TptLat[1], data.TptLon[1]);
        }
        box.widen(data.TptLat, data.TptLon, data.TrkPointCount);
    }
}

} // namespace wavemark
