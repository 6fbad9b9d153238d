// A GeoJSON file as RFC 7946 has it, UTF-8: one FeatureCollection, named
// after the survey, of a Point feature per access point and then a
// LineString feature per track. Positions are [longitude, latitude] in WGS 84
// degrees, seven decimals at most; times are ISO 8601 UTC strings.
//
//   access point: name, network, bssid (hyphenated), class, signal, time
//                 (left out when unknown), marker-color; under the estimated
//                 rule also position ("estimated" or "strongest", where the
//                 point stands) and strongest-lat, strongest-lon (where its
//                 strongest reading was)
//   track:        name, class, stroke, stroke-width, coordTimes
//
// Colours are "#RRGGBB" and widths pixels, the simplestyle properties web
// viewers draw with: a point takes its class's colour, as in KML; a line its
// track's colour and its line style's width, as in the map window.
// coordTimes holds the time of each position of the line, null where there
// is none, as GPX and KML converters to GeoJSON write a track's times. One
// feature per line, and one position or time per line within a track.
#include "maps/geojson/GeoJsonWriter.h"

#include "maps/Legend.h"
#include "maps/TrackPieces.h"
#include "maps/TrackPoints.h"
#include "maps/geojson/JsonOut.h"
#include "platform/BufferedFile.h"
#include "survey/SurveyTime.h"

#include <algorithm>
#include <string>

namespace wavemark {
namespace {

void colour(JsonOut& json, std::string_view key, int32_t bgr) {
    json << ", \"" << key << "\": \"#";
    json.rgbHex(bgr) << "\"";
}

// "00-0b-86-c2-e1-40", as IEEE 802 also writes it: GDAL takes a column of
// "00:0b:86:c2:e1:40" for times of day and reads every one as 00:00:00.
std::string hyphenated(std::string_view bssid) {
    std::string text(bssid);
    std::ranges::replace(text, ':', '-');
    return text;
}

void accessPoint(JsonOut& json, const ConversionData& data, size_t w) {
    const ClassLegend& legend = LegendOf(data.WptClass[w]);
    json << "{\"type\": \"Feature\", \"properties\": {\"name\": ";
    json.string(data.WptName[w]) << ", \"network\": ";
    json.string(data.WptComment[w]) << ", \"bssid\": ";
    json.string(hyphenated(BareBssid(data.WptBssid[w])))
        << ", \"class\": \"" << legend.name << "\", \"signal\": ";
    json.number(data.WptSignal[w]);
    if (data.WptTime[w] != kNoPackedTime) {
        json << ", \"time\": \"";
        json.time(UnpackTime(data.WptTime[w])) << "\"";
    }
    colour(json, "marker-color", legend.color);
    if (!data.WptPosition.empty()) {
        json << ", \"position\": \"" << WaypointPositionName(data.WptPosition[w])
             << "\", \"strongest-lat\": ";
        json.coordinate(data.WptStrongestLat[w]) << ", \"strongest-lon\": ";
        json.coordinate(data.WptStrongestLon[w]);
    }
    json << "}, \"geometry\": {\"type\": \"Point\", \"coordinates\": [";
    json.coordinate(data.WptLon[w]) << ", ";
    json.coordinate(data.WptLat[w]) << "]}}";
}

bool track(std::string& out, const ConversionData& data, size_t t, BufferedFile* file) {
    JsonOut json(out);
    json << (t == 1 && data.WptCount == 0 ? "\n" : ",\n");
    json << "{\"type\": \"Feature\", \"properties\": {\"name\": ";
    json.string(data.TrkName[t]) << ", \"class\": \"" << LegendOf(data.TrkClass[t]).name << "\"";
    colour(json, "stroke", data.TrkColor[t]);
    json << ", \"stroke-width\": " << std::to_string(LineWidth(data.TrkLineStyle[t]))
         << ", \"coordTimes\": [";
    const TrackPoints points = TrackPointsOf(data, t);
    {
        JsonOut::Line line(json);
        for (size_t p = points.first; p < points.end; ++p) {
            JsonOut::Line::Run run(line);
            run << (p == points.first ? "\n  " : ",\n  ");
            if (data.TptTime[p] == kNoPackedTime) {
                run << "null";
            } else {
                run << "\"";
                run.time(UnpackTime(data.TptTime[p])) << "\"";
            }
            if (file != nullptr && !file->flushIfFull()) {
                return false;
            }
        }
    }
    json << "]}, \"geometry\": {\"type\": \"LineString\", \"coordinates\": [";
    {
        JsonOut::Line line(json);
        for (size_t p = points.first; p < points.end; ++p) {
            JsonOut::Line::Run run(line);
            run << (p == points.first ? "\n  [" : ",\n  [");
            run.decimal(data.TptLon[p], JsonOut::kCoordinateDecimals) << ", ";
            run.decimal(data.TptLat[p], JsonOut::kCoordinateDecimals) << "]";
            if (file != nullptr && !file->flushIfFull()) {
                return false;
            }
        }
    }
    json << "]}}";
    return true;
}

} // namespace

bool WriteGeoJson(const ConversionData& data, const MapContext&, BufferedFile& file) {
    JsonOut json(file.buffer());
    json << "{\"type\": \"FeatureCollection\", \"name\": ";
    json.string(SurveyTitle(data.LogDate)) << ", \"features\": [";
    for (size_t w = 1; w <= static_cast<size_t>(data.WptCount); ++w) {
        json << (w == 1 ? "\n" : ",\n");
        accessPoint(json, data, w);
        if (!file.flushIfFull()) {
            return false;
        }
    }
    if (!WriteTrackPieces(data, file, [&data](std::string& out, size_t t, BufferedFile* into) {
            return track(out, data, t, into);
        })) {
        return false;
    }
    json << "\n]}\n";
    return true;
}

} // namespace wavemark
