#include "maps/gpx/GpxWriter.h"

#include "maps/CodeTables.h"
#include "maps/Legend.h"
#include "maps/TrackPieces.h"
#include "maps/TrackPoints.h"
#include "maps/xml/XmlOut.h"
#include "platform/BufferedFile.h"
#include "survey/SurveyTime.h"

namespace wavemark {
namespace {

// GPX wants a longitude below 180: 180 is the same meridian as -180.
double gpxLongitude(double lon) {
    return lon == 180.0 ? -180.0 : lon;
}

// Into an XmlOut or, for trackpoints, a Run of its Line.
template <class Out> void coordinates(Out& out, double lat, double lon) {
    out << " lat=\"";
    out.decimal(lat, XmlOut::kMostDecimals) << "\" lon=\"";
    out.decimal(gpxLongitude(lon), XmlOut::kMostDecimals) << "\"";
}

template <class Out> void position(Out& out, double lat, double lon) {
    coordinates(out, lat, lon);
    out << ">";
}

// Under the estimated rule a waypoint says which position it stands at and
// where its strongest reading was, in elements of our own namespace, which
// the root declares only then.
constexpr std::string_view kPositionsNamespace =
    " xmlns:wavemark=\"https://wavemark.example.org/xmlns/positions/1\"";

void positions(XmlOut& xml, const ConversionData& data, size_t w) {
    xml << "  <extensions><wavemark:position>" << WaypointPositionName(data.WptPosition[w])
        << "</wavemark:position><wavemark:strongest";
    coordinates(xml, data.WptStrongestLat[w], data.WptStrongestLon[w]);
    xml << "/></extensions>\n";
}

void waypoint(XmlOut& xml, const ConversionData& data, size_t w) {
    xml << "<wpt";
    position(xml, data.WptLat[w], data.WptLon[w]);
    xml << "\n";
    if (data.WptTime[w] != kNoPackedTime) {
        xml << "  <time>";
        xml.time(UnpackTime(data.WptTime[w])) << "</time>\n";
    }
    xml << "  <name>";
    xml.text(data.WptName[w]) << "</name>\n  <cmt>";
    xml.text(data.WptComment[w]) << "</cmt>\n  <desc>";
    xml.text(data.WptComment[w]) << " (";
    xml.text(BareBssid(data.WptBssid[w]))
        << "), " << LegendOf(data.WptClass[w]).name << ", signal ";
    xml.number(data.WptSignal[w]) << "</desc>\n";
    if (const auto symbol = SymbolName(data.WptIcon[w])) {
        xml << "  <sym>";
        xml.text(*symbol) << "</sym>\n";
    }
    xml << "  <type>" << LegendOf(data.WptClass[w]).type << "</type>\n";
    if (!data.WptPosition.empty()) {
        positions(xml, data, w);
    }
    xml << "</wpt>\n";
}

// Line widths go in millimetres: a pixel of a 96-dpi screen is about 0.26 mm.
void trackStart(XmlOut& xml, const ConversionData& data, size_t t) {
    xml << "<trk>\n  <name>";
    xml.text(data.TrkName[t]) << "</name>\n  <type>" << LegendOf(data.TrkClass[t]).type
                              << "</type>\n  <extensions><gpx_style:line><gpx_style:color>";
    xml.rgbHex(data.TrkColor[t]) << "</gpx_style:color><gpx_style:width>";
    xml.decimal(LineWidth(data.TrkLineStyle[t]) * 0.26)
        << "</gpx_style:width></gpx_style:line></extensions>\n  <trkseg>\n";
}

bool track(std::string& out, const ConversionData& data, size_t t, BufferedFile* file) {
    XmlOut xml(out);
    trackStart(xml, data, t);
    const TrackPoints points = TrackPointsOf(data, t);
    {
        XmlOut::Line line(xml);
        for (size_t p = points.first; p < points.end; ++p) {
            XmlOut::Line::Run run(line);
            run << "    <trkpt";
            position(run, data.TptLat[p], data.TptLon[p]);
            if (data.TptTime[p] != kNoPackedTime) {
                run << "<time>";
                run.time(UnpackTime(data.TptTime[p])) << "</time>";
            }
            run << "</trkpt>\n";
            if (file != nullptr && !file->flushIfFull()) {
                return false;
            }
        }
    }
    xml << "  </trkseg>\n</trk>\n";
    return true;
}

} // namespace

bool WriteGpx(const ConversionData& data, const MapContext& context, BufferedFile& file) {
    XmlOut xml(file.buffer());
    xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\""
           " xmlns:gpx_style=\"http://www.topografix.com/GPX/gpx_style/0/2\"";
    if (!data.WptPosition.empty()) {
        xml << kPositionsNamespace;
    }
    xml << " version=\"1.1\" creator=\"Wavemark " WAVEMARK_VERSION "\">\n"
           "<metadata>\n  <name>";
    xml.text(SurveyTitle(data.LogDate)) << "</name>\n  <time>";
    xml.time(context.writtenAt) << "</time>\n</metadata>\n";

    for (size_t w = 1; w <= static_cast<size_t>(data.WptCount); ++w) {
        waypoint(xml, data, w);
        if (!file.flushIfFull()) {
            return false;
        }
    }
    if (!WriteTrackPieces(data, file, [&data](std::string& out, size_t t, BufferedFile* into) {
            return track(out, data, t, into);
        })) {
        return false;
    }
    xml << "</gpx>\n";
    return true;
}

} // namespace wavemark
