#pragma once

#include "convert/ConversionData.h"
#include "maps/gtm/LittleEndianWriter.h"

#include <cstdint>
#include <string_view>

namespace wavemark {

// GPS TrackMaker file, version 211. Little-endian, no padding, no record
// tags: a reader knows what follows only from the header's counts.
//   header (122 bytes)  datum (58 bytes)
//   waypoints, then their style records   -- only when there are waypoints
//   trackpoints, then the track records   -- only when there are trackpoints
// Flags are i16 -1/0. Fixed texts are space-padded; variable texts are a u16
// byte count and the bytes. Texts are single-byte (Windows-1252, see
// GtmText.h). Times are seconds since 1989-12-31 00:00:00, 0 for none;
// colours 0x00BBGGRR.

// The counts and the bounding box; the fields every file carries the same
// are named in GtmRecords.cpp.
struct GtmHeader {
    static constexpr size_t kSize = 122;

    int32_t styleCount = 0;
    int32_t waypointCount = 0;
    int32_t trackpointCount = 0;
    int32_t trackCount = 0;
    float maxlon = 0;
    float minlon = 0;
    float maxlat = 0;
    float minlat = 0;

    void write(LittleEndianWriter& out) const;
};

// Always WGS 84 on a UTM grid; the fields are named in GtmRecords.cpp.
struct GtmDatum {
    static constexpr size_t kSize = 58;
    void write(LittleEndianWriter& out) const;
};

struct GtmWaypoint {
    static constexpr size_t kNameWidth = 10;

    double lat;
    double lon;
    std::string_view name;
    std::string_view comment;
    int16_t icon;
    uint8_t display;
    int32_t time;
    int16_t rotation;
    float altitude;

    void write(LittleEndianWriter& out) const;
};

struct GtmWaypointStyle {
    const WaypointStyle& style;
    void write(LittleEndianWriter& out) const;
};

struct GtmTrackpoint {
    static constexpr size_t kSize = 25;

    double lat;
    double lon;
    int32_t time;
    uint8_t newTrack; // 1 on the first point of a track, else 0
    float altitude;

    void write(LittleEndianWriter& out) const;
};

struct GtmTrack {
    std::string_view name; // written without leading and trailing spaces
    uint8_t lineStyle;
    int32_t color;
    float scale;

    void write(LittleEndianWriter& out) const;
};

} // namespace wavemark
