#pragma once

#include "convert/ConversionData.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace wavemark {

class BufferedFile;

// What a writer is told beside the conversion result.
struct MapContext {
    int64_t writtenAt = 0; // seconds since 1970-01-01 00:00:00 UTC
};

// Appends the whole map to the file, flushing as it goes, and leaves the rest
// in its buffer; false when the file failed (the file tells why).
using MapWriter = bool (*)(const ConversionData& data, const MapContext& context,
                           BufferedFile& file);

struct MapFormatInfo {
    std::string_view name;     // "GTM": in messages, and the extension in any case
    std::string_view fileKind; // "GPS TrackMaker File", as the save dialog lists it
    MapWriter write;
};

// A map format, a row of the table of formats; null for none.
using MapFormat = const MapFormatInfo*;

// The program's own format, GTM, written unless another is asked for.
MapFormat DefaultMapFormat();

// The format a file name's extension names in any letter case ("x.Kml").
MapFormat MapFormatOfPath(std::string_view path);
// The format called by its name in any letter case ("gpx").
MapFormat MapFormatNamed(std::string_view name);

// The save dialog's filter, "desc|pattern|" for each format in turn.
std::string MapFileFilter();

// The formats' names as a sentence lists them, "gtm, gpx or kml", or as
// extensions, ".gtm, .gpx or .kml".
std::string MapFormatNames();
std::string MapFormatExtensions();

} // namespace wavemark
