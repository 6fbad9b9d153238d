#pragma once

#include "ConversionData.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wavemark::test {

// Reads a GTM file of the kind Wavemark writes back into its parts, so tests
// can check fields that other readers do not show (style records, codes).
// Written apart from the writer, from the record layout alone.
struct GtmFile {
    int32_t styleCount = 0;
    int32_t waypointCount = 0;
    int32_t trackpointCount = 0;
    int32_t trackCount = 0;
    float maxlon = 0, minlon = 0, maxlat = 0, minlat = 0;

    struct Waypoint {
        double lat, lon;
        std::string name, comment;
        int16_t icon;
        uint8_t display;
        int32_t time;
        float altitude;
    };
    struct Trackpoint {
        double lat, lon;
        int32_t time;
        uint8_t newTrack;
        float altitude;
    };
    struct Track {
        std::string name;
        uint8_t lineStyle;
        int32_t color;
    };
    std::vector<Waypoint> waypoints;
    std::vector<WaypointStyle> styles;
    std::vector<Trackpoint> trackpoints;
    std::vector<Track> tracks;
};

// Nothing when the bytes are not such a file or do not end where it ends.
std::optional<GtmFile> ReadGtmFile(const std::string& bytes);

} // namespace wavemark::test
