#include "mapview/WebMercator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace wavemark {
namespace {

constexpr double kEarthCircumference = 40075016.685578488; // metres, at the equator

double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

} // namespace

PlanePoint Project(double latitude, double longitude) {
    const double phi = radians(std::clamp(latitude, -kMaxLatitude, kMaxLatitude));
    const double y =
        0.5 - std::log(std::tan(std::numbers::pi / 4 + phi / 2)) / (2 * std::numbers::pi);
    return {(longitude + 180.0) / 360.0, std::clamp(y, 0.0, 1.0)};
}

double LatitudeAt(double y) {
    const double n = std::numbers::pi * (1 - 2 * y);
    return std::atan(std::sinh(n)) * 180.0 / std::numbers::pi;
}

double LongitudeAt(double x) {
    return x * 360.0 - 180.0;
}

double PlaneSize(int zoom) {
    return std::ldexp(kTileSize, zoom);
}

ScreenPoint ToScreen(const Viewport& view, PlanePoint point) {
    const double size = PlaneSize(view.zoom);
    return {(point.x - view.center.x) * size + view.width / 2.0,
            (point.y - view.center.y) * size + view.height / 2.0};
}

PlanePoint ToPlane(const Viewport& view, ScreenPoint point) {
    const double size = PlaneSize(view.zoom);
    return {view.center.x + (point.x - view.width / 2.0) / size,
            view.center.y + (point.y - view.height / 2.0) / size};
}

double MetresPerPixel(double latitude, int zoom) {
    return kEarthCircumference * std::cos(radians(latitude)) / PlaneSize(zoom);
}

} // namespace wavemark
