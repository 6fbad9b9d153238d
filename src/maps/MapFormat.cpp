#include "maps/MapFormat.h"

#include "maps/geojson/GeoJsonWriter.h"
#include "maps/gpx/GpxWriter.h"
#include "maps/gtm/GtmWriter.h"
#include "maps/kml/KmlWriter.h"
#include "platform/AsciiLetters.h"

#include <algorithm>
#include <array>

namespace wavemark {
namespace {

// Every map format Wavemark writes, in the save dialog's order, the
// program's own first.
constexpr auto kFormats = std::to_array<MapFormatInfo>({
    {"GTM", "GPS TrackMaker File", &WriteGtm},
    {"GPX", "GPX File", &WriteGpx},
    {"KML", "KML File", &WriteKml},
    {"GeoJSON", "GeoJSON File", &WriteGeoJson},
});

std::string lower(std::string_view text) {
    std::string result(text);
    std::ranges::transform(result, result.begin(), LowerAscii);
    return result;
}

// "gtm, gpx or kml", each name after `prefix`.
std::string listed(std::string_view prefix) {
    std::string names;
    for (size_t i = 0; i < kFormats.size(); ++i) {
        names.append(i == 0 ? "" : i + 1 == kFormats.size() ? " or " : ", ");
        names.append(prefix).append(lower(kFormats[i].name));
    }
    return names;
}

} // namespace

MapFormat DefaultMapFormat() {
    return &kFormats.front();
}

MapFormat MapFormatOfPath(std::string_view path) {
    for (const MapFormatInfo& info : kFormats) {
        if (path.size() > info.name.size() && path[path.size() - info.name.size() - 1] == '.' &&
            SameAsciiLetters(path.substr(path.size() - info.name.size()), info.name)) {
            return &info;
        }
    }
    return nullptr;
}

MapFormat MapFormatNamed(std::string_view name) {
    for (const MapFormatInfo& info : kFormats) {
        if (SameAsciiLetters(name, info.name)) {
            return &info;
        }
    }
    return nullptr;
}

std::string MapFormatNames() {
    return listed("");
}

std::string MapFormatExtensions() {
    return listed(".");
}

std::string MapFileFilter() {
    std::string filter;
    for (const MapFormatInfo& info : kFormats) {
        const std::string pattern = "*." + lower(info.name);
        filter.append(info.fileKind).append(" (" + pattern + ")|" + pattern + "|");
    }
    return filter;
}

} // namespace wavemark
