#include "maps/kml/KmlWriter.h"

#include "SameBytes.h"
#include "SmallMap.h"
#include "survey/SurveyTime.h"

#include <gtest/gtest.h>
#include <string>

namespace wavemark {
namespace {

const std::string kHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n";
const std::string kIcon =
    "<Icon><href>https://maps.google.com/mapfiles/kml/shapes/placemark_circle.png</href></Icon>";

size_t count(const std::string& text, const std::string& part) {
    size_t found = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++found;
    }
    return found;
}

TEST(KmlWriter, SmallSurveyAsWritten) {
    const std::string expected =
        kHead + "<name>Wi-Fi survey</name>\n" +
        "<Style id=\"protected-4\"><IconStyle><color>ff0000e0</color>" + kIcon +
        "</IconStyle><LabelStyle><color>ff0000ff</color><scale>1</scale></LabelStyle></Style>\n"
        "<Style id=\"line-ff408000-4\"><LineStyle><color>ff408000</color><width>4</width>"
        "</LineStyle></Style>\n"
        "<Folder><name>Access points</name>\n"
        "<Placemark><name>c2e140</name>\n"
        "<description><![CDATA[<table><tr><th align=\"left\">Network</th><td>hello</td></tr>"
        "<tr><th align=\"left\">BSSID</th><td>00:0b:86:c2:e1:40</td></tr>"
        "<tr><th align=\"left\">Class</th><td>protected</td></tr>"
        "<tr><th align=\"left\">Signal</th><td>70</td></tr></table>]]></description>\n"
        "<TimeStamp><when>2004-04-08T12:34:56Z</when></TimeStamp><styleUrl>#protected-4"
        "</styleUrl><Point><coordinates>8.25,47.5</coordinates></Point></Placemark>\n"
        "</Folder>\n"
        "<Folder><name>Tracks</name>\n"
        "<Placemark><name> ab </name>\n"
        "<TimeSpan><begin>2004-04-08T12:34:56Z</begin><end>2004-04-08T12:34:57Z</end></TimeSpan>"
        "<styleUrl>#line-ff408000-4</styleUrl><LineString><tessellate>1</tessellate>"
        "<coordinates>\n8.25,47.5\n8.25,47.5\n</coordinates></LineString></Placemark>\n"
        "</Folder>\n"
        "</Document>\n</kml>\n";
    EXPECT_TRUE(test::SameBytes(expected, test::Written(&WriteKml, test::SmallMap())));
}

// Waypoints of one class and display share a style, "icon only" hides the label; tracks of
// one colour and width share one. A track spans its earliest to its latest reading.
TEST(KmlWriter, SharedStylesAndTimeSpans) {
    using enum NetworkClass;
    ConversionData data = test::SmallMap();
    data.WptCount = 4;
    data.WptName = {"", "a", "b", "c", "d"};
    data.WptComment = data.WptName;
    data.WptBssid = {"", "( 00:00:00:00:00:01 )", "( 00:00:00:00:00:01 )", "( 00:00:00:00:00:01 )",
                     "( 00:00:00:00:00:01 )"};
    data.WptLat = data.WptLon = {0, 1, 2, 3, 4};
    data.WptTime = {0, kNoPackedTime, 0, 0, 0};
    data.WptSignal.resize(5);
    data.WptClass = {Open, Open, Open, Protected, AdHoc};
    data.WptDisplay = {0, 3, 3, 2, 4};
    data.TrkCount = 3;
    data.TrkName = {"", "t1", "t2", "t3"};
    data.TrkColor = {0, 255, 255, 65280};
    data.TrkLineStyle = {0, 2, 3, 1};
    data.TrkClass = {Open, Open, Open, Protected};
    data.TrkFirstPoint = {0, 1, 3, 5};
    data.TrkPointCount = 6;
    data.TptLat = data.TptLon = {0, 1, 2, 3, 4, 5, 6};
    data.TptTime = {0, 100, 50, kNoPackedTime, kNoPackedTime, 9, kNoPackedTime};
    const std::string kml = test::Written(&WriteKml, data);

    EXPECT_EQ(count(kml, "<Style id="), 5u);
    EXPECT_EQ(count(kml, "<styleUrl>#open-3</styleUrl>"), 2u);
    EXPECT_EQ(count(kml, "<Style id=\"protected-2\"><IconStyle><color>ff0000e0</color>" + kIcon +
                             "</IconStyle><LabelStyle><color>ff0000ff</color><scale>0</scale>"),
              1u);
    EXPECT_EQ(count(kml, "<Style id=\"ad-hoc-4\"><IconStyle><color>ffe06000</color>"), 1u);
    EXPECT_EQ(count(kml, "<Style id=\"open-3\"><IconStyle><color>ff00b000</color>"), 1u);
    EXPECT_EQ(count(kml, "<styleUrl>#line-ff0000ff-4</styleUrl>"), 2u);
    EXPECT_EQ(count(kml, "<Style id=\"line-ff00ff00-2\"><LineStyle><color>ff00ff00</color>"
                         "<width>2</width>"),
              1u);
    // Times left out where there are none.
    EXPECT_EQ(count(kml, "<begin>1989-12-31T00:00:50Z</begin><end>1989-12-31T00:01:40Z</end>"), 1u);
    EXPECT_EQ(count(kml, "<begin>1989-12-31T00:00:09Z</begin><end>1989-12-31T00:00:09Z</end>"), 1u);
    EXPECT_EQ(count(kml, "<TimeSpan>"), 2u);
    EXPECT_EQ(count(kml, "<TimeStamp>"), 3u);
}

// An empty survey is a document with an empty access point folder and no track folder.
TEST(KmlWriter, EmptySurvey) {
    ConversionData data = test::SmallMap();
    data.WptCount = data.TrkCount = data.TrkPointCount = 0;
    data.LogDate = "2004-04-08";
    EXPECT_EQ(test::Written(&WriteKml, data),
              kHead + "<name>Wi-Fi survey 2004-04-08</name>\n"
                      "<Folder><name>Access points</name>\n</Folder>\n</Document>\n</kml>\n");
}

// Under the estimated rule each placemark names its rule and its strongest reading's position
// in its extended data, which KML puts between the style and the geometry.
TEST(KmlWriter, EstimatedPlacemarksKeepTheirStrongestReading) {
    ConversionData data = test::SmallMap();
    data.WptLon[1] = 8.2501;
    data.WptPosition = {WaypointPosition::Strongest, WaypointPosition::Estimated};
    data.WptStrongestLat = {0, 47.5};
    data.WptStrongestLon = {0, -179.5};
    const std::string kml = test::Written(&WriteKml, data);
    EXPECT_EQ(count(kml, "</styleUrl><ExtendedData><Data name=\"position\"><value>estimated"
                         "</value></Data><Data name=\"strongest-lat\"><value>47.5</value></Data>"
                         "<Data name=\"strongest-lon\"><value>-179.5</value></Data>"
                         "</ExtendedData><Point><coordinates>8.2501,47.5</coordinates>"),
              1u);
    EXPECT_EQ(count(kml, "<ExtendedData>"), 1u);
}

} // namespace
} // namespace wavemark
