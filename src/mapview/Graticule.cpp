#include "mapview/Graticule.h"

#include <charconv>
#include <cmath>
#include <numbers>

namespace wavemark {
namespace {

// The smallest of 1, 2 and 5 times a power of ten that is at least `value`.
double roundUp(double value) {
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (const double step : {1.0, 2.0, 5.0, 10.0}) {
        if (step * power >= value * (1 - 1e-12)) {
            return step * power;
        }
    }
    return 10 * power;
}

// The largest of 1, 2 and 5 times a power of ten that is at most `value`.
double roundDown(double value) {
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (const double step : {5.0, 2.0, 1.0}) {
        if (step * power <= value * (1 + 1e-12)) {
            return step * power;
        }
    }
    return power;
}

// A number with a given count of decimals, the same in every locale.
std::string fixed(double value, int decimals) {
    char text[32];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
    return {text, end};
}

// Degrees with as many decimals as the step needs and no more.
std::string degreesLabel(double degrees, double step, char positive, char negative) {
    const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    if (std::abs(degrees) < step / 2) {
        return fixed(0, decimals) + "\u00b0";
    }
    return fixed(std::abs(degrees), decimals) + "\u00b0" + (degrees < 0 ? negative : positive);
}

} // namespace

Graticule GraticuleOf(const Viewport& view, double minSpacing) {
    Graticule graticule;
    if (view.width <= 0 || view.height <= 0) {
        return graticule;
    }
    const PlanePoint topLeft = ToPlane(view, {0, 0});
    const PlanePoint bottomRight =
        ToPlane(view, {static_cast<double>(view.width), static_cast<double>(view.height)});

    const double degreesPerPixel = 360.0 / PlaneSize(view.zoom);
    const double lonStep = roundUp(minSpacing * degreesPerPixel);
    const double west = std::max(LongitudeAt(topLeft.x), -180.0);
    const double east = std::min(LongitudeAt(bottomRight.x), 180.0);
    for (double k = std::ceil(west / lonStep); k * lonStep <= east; ++k) {
        const double lon = k * lonStep;
        graticule.meridians.push_back(
            {ToScreen(view, Project(0, lon)).x, degreesLabel(lon, lonStep, 'E', 'W')});
    }

    // Parallels spread out towards the poles on the plane: the step is
    // taken where they lie closest, at the latitude nearest the equator.
    const double north = LatitudeAt(std::max(topLeft.y, 0.0));
    const double south = LatitudeAt(std::min(bottomRight.y, 1.0));
    const double nearest = south < 0 && north > 0 ? 0 : std::min(std::abs(north), std::abs(south));
    const double latStep =
        roundUp(minSpacing * degreesPerPixel * std::cos(nearest * std::numbers::pi / 180.0));
    for (double k = std::ceil(south / latStep); k * latStep <= north; ++k) {
        const double lat = k * latStep;
        graticule.parallels.push_back(
            {ToScreen(view, Project(lat, 0)).y, degreesLabel(lat, latStep, 'N', 'S')});
    }
    return graticule;
}

ScaleBar ScaleBarOf(const Viewport& view, double maxPixels) {
    const double latitude = LatitudeAt(view.center.y);
    const double metresPerPixel = MetresPerPixel(latitude, view.zoom);
    const double metres = roundDown(maxPixels * metresPerPixel);
    const bool kilometres = metres >= 1000;
    const std::string text =
        fixed(kilometres ? metres / 1000 : metres, 0) + (kilometres ? " km" : " m");
    return {metres / metresPerPixel, text};
}

} // namespace wavemark
