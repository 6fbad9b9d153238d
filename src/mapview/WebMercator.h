#pragma once

namespace wavemark {

// The Web Mercator plane that slippy-map tiles are cut from, scaled to one
// unit: x runs from 0 at 180° W to 1 at 180° E, y from 0 at the northern
// limit to 1 at the southern one. Latitudes beyond ±85.0511° (where the
// plane becomes square) are clamped to it.
struct PlanePoint {
    double x = 0;
    double y = 0;

    bool operator==(const PlanePoint&) const = default;
};

inline constexpr double kMaxLatitude = 85.0511287798066;
inline constexpr int kTileSize = 256; // pixels along a tile's side
inline constexpr int kMinZoom = 0;
inline constexpr int kMaxZoom = 19;

PlanePoint Project(double latitude, double longitude);
double LatitudeAt(double y);
double LongitudeAt(double x);

// The plane's side in pixels at a zoom level: 256 × 2^zoom.
double PlaneSize(int zoom);

// A window onto the plane: its centre, zoom level and size in pixels.
struct Viewport {
    PlanePoint center{0.5, 0.5};
    int zoom = 1;
    int width = 0;
    int height = 0;

    bool operator==(const Viewport&) const = default;
};

struct ScreenPoint {
    double x = 0;
    double y = 0;
};

ScreenPoint ToScreen(const Viewport& view, PlanePoint point);
PlanePoint ToPlane(const Viewport& view, ScreenPoint point);

// The metres one pixel covers on the ground at a latitude and zoom level.
double MetresPerPixel(double latitude, int zoom);

} // namespace wavemark
