#include "maps/kml/KmlWriter.h"

#include "maps/Legend.h"
#include "maps/TrackPieces.h"
#include "maps/TrackPoints.h"
#include "maps/xml/XmlOut.h"
#include "platform/BufferedFile.h"
#include "survey/SurveyTime.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <vector>

namespace wavemark {
namespace {

// GTM display codes: 2 shows the icon only, 3 and 4 its name beside it.
constexpr uint8_t kIconOnly = 2;
// The pixel height of the label font that KML's label scale 1 stands for.
constexpr double kLabelPixels = 12.0;
constexpr std::string_view kIcon =
    "https://maps.google.com/mapfiles/kml/shapes/placemark_circle.png";

// A waypoint's style: its class and its display code.
struct PointStyle {
    NetworkClass networkClass;
    uint8_t display;
};

void pointStyleId(XmlOut& xml, PointStyle style) {
    xml << LegendOf(style.networkClass).name << "-" << std::to_string(style.display);
}

// A track's style: its colour and its line width.
uint64_t lineKey(const ConversionData& data, size_t t) {
    return static_cast<uint64_t>(static_cast<uint32_t>(data.TrkColor[t])) << 8 |
           static_cast<uint64_t>(LineWidth(data.TrkLineStyle[t]));
}

void lineStyleId(XmlOut& xml, uint64_t key) {
    xml << "line-";
    xml.kmlColor(static_cast<int32_t>(key >> 8)) << "-" << std::to_string(key & 0xFF);
}

// The label takes the font of the waypoint's display style (the first
// style where the conversion made fewer); "icon only" hides it.
void pointStyle(XmlOut& xml, const ConversionData& data, PointStyle style) {
    xml << "<Style id=\"";
    pointStyleId(xml, style);
    xml << "\"><IconStyle><color>";
    xml.kmlColor(LegendOf(style.networkClass).color)
        << "</color><Icon><href>" << kIcon << "</href></Icon></IconStyle>";
    if (data.WptStyleCount > 0) {
        const auto index = std::clamp<size_t>(style.display, 1, data.WptStyleCount);
        const WaypointStyle& font = data.WptStyles[index];
        const double scale = style.display == kIconOnly
                                 ? 0.0
                                 : std::round(-font.Height / kLabelPixels * 100.0) / 100.0;
        xml << "<LabelStyle><color>";
        xml.kmlColor(font.Color) << "</color><scale>";
        xml.decimal(scale) << "</scale></LabelStyle>";
    }
    xml << "</Style>\n";
}

void styles(XmlOut& xml, const ConversionData& data) {
    std::array<std::array<bool, 256>, 3> used{};
    for (size_t w = 1; w <= static_cast<size_t>(data.WptCount); ++w) {
        const auto networkClass = static_cast<size_t>(data.WptClass[w]);
        if (!used[networkClass][data.WptDisplay[w]]) {
            used[networkClass][data.WptDisplay[w]] = true;
            pointStyle(xml, data, {data.WptClass[w], data.WptDisplay[w]});
        }
    }
    std::vector<uint64_t> lines;
    for (size_t t = 1; t <= static_cast<size_t>(data.TrkCount); ++t) {
        lines.push_back(lineKey(data, t));
    }
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    for (const uint64_t key : lines) {
        xml << "<Style id=\"";
        lineStyleId(xml, key);
        xml << "\"><LineStyle><color>";
        xml.kmlColor(static_cast<int32_t>(key >> 8))
            << "</color><width>" << std::to_string(key & 0xFF) << "</width></LineStyle></Style>\n";
    }
}

void descriptionRow(XmlOut& xml, std::string_view label) {
    xml << "<tr><th align=\"left\">" << label << "</th><td>";
}

// Under the estimated rule: which position the placemark stands at, and
// where the strongest reading was.
void positions(XmlOut& xml, const ConversionData& data, size_t w) {
    xml << "<ExtendedData><Data name=\"position\"><value>"
        << WaypointPositionName(data.WptPosition[w])
        << "</value></Data><Data name=\"strongest-lat\"><value>";
    xml.decimal(data.WptStrongestLat[w]) << "</value></Data><Data name=\"strongest-lon\"><value>";
    xml.decimal(data.WptStrongestLon[w]) << "</value></Data></ExtendedData>";
}

// The table is HTML in a CDATA section; the survey's texts come escaped, so
// they hold no "]]>" that would end it.
void accessPoint(XmlOut& xml, const ConversionData& data, size_t w) {
    xml << "<Placemark><name>";
    xml.text(data.WptName[w]) << "</name>\n<description><![CDATA[<table>";
    descriptionRow(xml, "Network");
    xml.text(data.WptComment[w]) << "</td></tr>";
    descriptionRow(xml, "BSSID");
    xml.text(BareBssid(data.WptBssid[w])) << "</td></tr>";
    descriptionRow(xml, "Class");
    xml << LegendOf(data.WptClass[w]).name << "</td></tr>";
    descriptionRow(xml, "Signal");
    xml.number(data.WptSignal[w]) << "</td></tr></table>]]></description>\n";
    if (data.WptTime[w] != kNoPackedTime) {
        xml << "<TimeStamp><when>";
        xml.time(UnpackTime(data.WptTime[w])) << "</when></TimeStamp>";
    }
    xml << "<styleUrl>#";
    pointStyleId(xml, {data.WptClass[w], data.WptDisplay[w]});
    xml << "</styleUrl>";
    if (!data.WptPosition.empty()) {
        positions(xml, data, w);
    }
    xml << "<Point><coordinates>";
    xml.decimal(data.WptLon[w]) << ",";
    xml.decimal(data.WptLat[w]) << "</coordinates></Point></Placemark>\n";
}

void trackStart(XmlOut& xml, const ConversionData& data, size_t t, TrackPoints points) {
    PackedTime earliest = std::numeric_limits<PackedTime>::max();
    PackedTime latest = kNoPackedTime;
    for (size_t p = points.first; p < points.end; ++p) {
        if (data.TptTime[p] != kNoPackedTime) {
            earliest = std::min(earliest, data.TptTime[p]);
            latest = std::max(latest, data.TptTime[p]);
        }
    }
    xml << "<Placemark><name>";
    xml.text(data.TrkName[t]) << "</name>\n";
    if (latest != kNoPackedTime) {
        xml << "<TimeSpan><begin>";
        xml.time(UnpackTime(earliest)) << "</begin><end>";
        xml.time(UnpackTime(latest)) << "</end></TimeSpan>";
    }
    xml << "<styleUrl>#";
    lineStyleId(xml, lineKey(data, t));
    xml << "</styleUrl><LineString><tessellate>1</tessellate><coordinates>\n";
}

bool track(std::string& out, const ConversionData& data, size_t t, BufferedFile* file) {
    const TrackPoints points = TrackPointsOf(data, t);
    if (points.first == points.end) {
        return true;
    }
    XmlOut xml(out);
    trackStart(xml, data, t, points);
    {
        XmlOut::Line line(xml);
        for (size_t p = points.first; p < points.end; ++p) {
            XmlOut::Line::Run run(line);
            run.decimal(data.TptLon[p], XmlOut::kMostDecimals) << ",";
            run.decimal(data.TptLat[p], XmlOut::kMostDecimals) << "\n";
            if (file != nullptr && !file->flushIfFull()) {
                return false;
            }
        }
    }
    xml << "</coordinates></LineString></Placemark>\n";
    return true;
}

} // namespace

bool WriteKml(const ConversionData& data, const MapContext&, BufferedFile& file) {
    XmlOut xml(file.buffer());
    xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n<name>";
    xml.text(SurveyTitle(data.LogDate)) << "</name>\n";
    styles(xml, data);

    xml << "<Folder><name>Access points</name>\n";
    for (size_t w = 1; w <= static_cast<size_t>(data.WptCount); ++w) {
        accessPoint(xml, data, w);
        if (!file.flushIfFull()) {
            return false;
        }
    }
    xml << "</Folder>\n";
    if (data.TrkCount > 0) {
        xml << "<Folder><name>Tracks</name>\n";
        if (!WriteTrackPieces(data, file, [&data](std::string& out, size_t t, BufferedFile* into) {
                return track(out, data, t, into);
            })) {
            return false;
        }
        xml << "</Folder>\n";
    }
    xml << "</Document>\n</kml>\n";
    return true;
}

} // namespace wavemark
