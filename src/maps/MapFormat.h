#pragma once

#include "convert/ConversionData.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wavemark {

class BufferedFile;

enum class MapFormat { Gtm, Gpx, Kml };

// What a writer is told beside the conversion result.
struct MapContext {
    int64_t writtenAt = 0; // seconds since 1970-01-01 00:00:00 UTC
};

// Appends the whole map to the file, flushing as it goes, and leaves the rest
// in its buffer; false when the file failed (the file tells why).
using MapWriter = bool (*)(const ConversionData& data, const MapContext& context,
                           BufferedFile& file);

struct MapFormatInfo {
    MapFormat format;
    std::string_view name;     // "GTM": in messages, and the extension in any case
    std::string_view fileKind; // "GPS TrackMaker File", as the save dialog lists it
    MapWriter write;
};

const MapFormatInfo& InfoOf(MapFormat format);

// The format a file name's extension names in any letter case ("x.Kml").
std::optional<MapFormat> MapFormatOfPath(std::string_view path);
// The format called by its name in any letter case ("gpx").
std::optional<MapFormat> MapFormatNamed(std::string_view name);

// The save dialog's filter, "desc|pattern|" for each format in turn.
std::string MapFileFilter();

// The formats' names as a sentence lists them, "gtm, gpx or kml", or as
// extensions, ".gtm, .gpx or .kml".
std::string MapFormatNames();
std::string MapFormatExtensions();

} // namespace wavemark
