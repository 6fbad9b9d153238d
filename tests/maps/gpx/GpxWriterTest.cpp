#include "maps/gpx/GpxWriter.h"

#include "SameBytes.h"
#include "SmallMap.h"
#include "survey/SurveyTime.h"

#include <gtest/gtest.h>
#include <string>

namespace wavemark {
namespace {

const std::string kHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\" "
    "xmlns:gpx_style=\"http://www.topografix.com/GPX/gpx_style/0/2\" version=\"1.1\" "
    "creator=\"Wavemark " WAVEMARK_VERSION "\">\n"
    "<metadata>\n  <name>Wi-Fi survey</name>\n  <time>2026-12-06T21:55:18Z</time>\n</metadata>\n";
constexpr MapContext kContext{.writtenAt = 1796594118};

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(GpxWriter, SmallSurveyAsWritten) {
    const std::string expected =
        kHead + "<wpt lat=\"47.5\" lon=\"8.25\">\n"
                "  <time>2004-04-08T12:34:56Z</time>\n"
                "  <name>c2e140</name>\n"
                "  <cmt>hello</cmt>\n"
                "  <desc>hello (00:0b:86:c2:e1:40), protected, signal 70</desc>\n"
                "  <sym>Radio Beacon</sym>\n"
                "  <type>Wi-Fi protected</type>\n"
                "</wpt>\n"
                "<trk>\n"
                "  <name> ab </name>\n"
                "  <type>Wi-Fi open</type>\n"
                "  <extensions><gpx_style:line><gpx_style:color>008040</gpx_style:color>"
                "<gpx_style:width>1.04</gpx_style:width></gpx_style:line></extensions>\n"
                "  <trkseg>\n"
                "    <trkpt lat=\"47.5\" lon=\"8.25\"><time>2004-04-08T12:34:56Z</time></trkpt>\n"
                "    <trkpt lat=\"47.5\" lon=\"8.25\"><time>2004-04-08T12:34:57Z</time></trkpt>\n"
                "  </trkseg>\n"
                "</trk>\n"
                "</gpx>\n";
    EXPECT_TRUE(test::SameBytes(expected, test::Written(&WriteGpx, test::SmallMap(), kContext)));
}

// The description and the class of an ad-hoc network; a waypoint or point without a time has no
// time element; a point's longitude 180 is written as -180, the same meridian, since GPX wants
// it below 180; a code without a symbol name writes no symbol. (cli.map_readers reads the
// escaped texts back, and a waypoint at 180.)
TEST(GpxWriter, TextsAndCoordinatesAtTheirLimits) {
    ConversionData data = test::SmallMap();
    data.LogDate = "2004-04-08";
    data.WptComment = {"", "Caf\xC3\xA9 <&>"};
    data.WptTime[1] = kNoPackedTime;
    data.WptLat[1] = -90.0;
    data.WptLon[1] = 180.0;
    data.WptIcon[1] = 0;
    data.WptClass[1] = NetworkClass::AdHoc;
    data.TptLat[2] = 1e-7;
    data.TptTime[2] = kNoPackedTime;
    data.TptLon = {0, -180.0, 180.0};
    const std::string gpx = test::Written(&WriteGpx, data, kContext);
    EXPECT_TRUE(has(gpx, "<name>Wi-Fi survey 2004-04-08</name>"));
    EXPECT_TRUE(has(gpx, "<desc>Caf\xC3\xA9 &lt;&amp;&gt; (00:0b:86:c2:e1:40), ad-hoc, signal 70"));
    EXPECT_TRUE(has(gpx, "</desc>\n  <type>Wi-Fi ad-hoc</type>"));
    EXPECT_TRUE(has(gpx, "<wpt lat=\"-90\" lon=\"-180\">\n  <name>"));
    EXPECT_TRUE(has(gpx, "<trkpt lat=\"47.5\" lon=\"-180\"><time>"));
    EXPECT_TRUE(has(gpx, "<trkpt lat=\"0.0000001\" lon=\"-180\"></trkpt>"));
}

// Without tracks only waypoints are written; without waypoints only the metadata.
TEST(GpxWriter, SurveysWithoutTracksOrWaypoints) {
    ConversionData data = test::SmallMap();
    data.TrkCount = 0;
    data.TrkPointCount = 0;
    const std::string waypointsOnly = test::Written(&WriteGpx, data, kContext);
    EXPECT_TRUE(has(waypointsOnly, "</wpt>\n</gpx>\n"));
    EXPECT_FALSE(has(waypointsOnly, "<trk"));
    data.WptCount = 0;
    EXPECT_EQ(test::Written(&WriteGpx, data, kContext), kHead + "</gpx>\n");
}

// Under the estimated rule each waypoint names its rule and its strongest reading's position
// in our own namespace, which the root then declares.
TEST(GpxWriter, EstimatedWaypointsKeepTheirStrongestReading) {
    ConversionData data = test::SmallMap();
    data.WptLat[1] = 47.5001;
    data.WptPosition = {WaypointPosition::Strongest, WaypointPosition::Estimated};
    data.WptStrongestLat = {0, 47.5};
    data.WptStrongestLon = {0, 180.0};
    const std::string gpx = test::Written(&WriteGpx, data, kContext);
    EXPECT_TRUE(has(gpx, "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\" "
                         "xmlns:gpx_style=\"http://www.topografix.com/GPX/gpx_style/0/2\" "
                         "xmlns:wavemark=\"https://wavemark.example.org/xmlns/positions/1\" "
                         "version=\"1.1\" "));
    EXPECT_TRUE(has(gpx, "<wpt lat=\"47.5001\" lon=\"8.25\">\n"));
    EXPECT_TRUE(has(gpx, "  <type>Wi-Fi protected</type>\n"
                         "  <extensions><wavemark:position>estimated</wavemark:position>"
                         "<wavemark:strongest lat=\"47.5\" lon=\"-180\"/></extensions>\n"
                         "</wpt>\n"));
    data.WptPosition[1] = WaypointPosition::Strongest;
    EXPECT_TRUE(has(test::Written(&WriteGpx, data, kContext),
                    "<wavemark:position>strongest</wavemark:position>"));
}

} // namespace
} // namespace wavemark
