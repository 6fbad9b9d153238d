#include "maps/geojson/GeoJsonWriter.h"

#include "SameBytes.h"
#include "SmallMap.h"
#include "TempFolder.h"
#include "survey/SurveyTime.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace wavemark {
namespace {

// The small map with an ad-hoc access point seen at no known time, whose network name needs
// every kind of escape, and a second track of a filled line style, one of whose points lies
// a hair west of the prime meridian and one on the antimeridian.
ConversionData EdgeMap() {
    using enum NetworkClass;
    ConversionData data = test::SmallMap();
    data.LogDate = "2004-04-08";
    data.WptCount = 2;
    data.WptName.push_back("bc5280");
    data.WptComment.push_back("Caf\xC3\xA9 \"Q\" \\ </a>\x01\t\x1F\x7F \xE9 \xEF\xBF\xBE "
                              "\xE8\xBF\x9E");
    data.WptBssid.push_back("( 00:0b:86:bc:52:80 )");
    data.WptLat.push_back(-33.8688197);
    data.WptLon.push_back(-122.123456789);
    data.WptTime.push_back(kNoPackedTime);
    data.WptIcon.push_back(141);
    data.WptRotation.push_back(0);
    data.WptDisplay.push_back(3);
    data.WptSignal.push_back(79.5f);
    data.WptClass.push_back(AdHoc);
    data.WptTrack.push_back(0);
    data.TptTime[2] = kNoPackedTime;
    data.TrkCount = 2;
    data.TrkName.push_back("z\"");
    data.TrkLineStyle.push_back(17);
    data.TrkScale.push_back(0.0f);
    data.TrkColor.push_back(0x0A0B0C);
    data.TrkClass.push_back(Protected);
    data.TrkFirstPoint.push_back(3);
    data.TrkPointCount = 4;
    data.TptLat.insert(data.TptLat.end(), {-0.00000004, 0.1});
    data.TptLon.insert(data.TptLon.end(), {-0.00000001, 180.0});
    data.TptTime.insert(data.TptTime.end(), {0, 86399});
    data.TptSignal.insert(data.TptSignal.end(), {1.0f, 2.0f});
    return data;
}

// tests/data/edge-map.geojson, byte for byte. A failing run leaves what it wrote beside the
// test, as edge-map.geojson, to compare or, when the change is meant, to copy.
TEST(GeoJsonWriter, EdgeMapAsGolden) {
    const std::string written = test::Written(&WriteGeoJson, EdgeMap());
    const auto same =
        test::SameBytes(test::ReadBytes(WAVEMARK_TEST_DATA_DIR "/edge-map.geojson"), written);
    if (!same) {
        std::ofstream("edge-map.geojson", std::ios::binary) << written;
    }
    EXPECT_TRUE(same);
}

// An empty survey is an empty collection, still named after the survey.
TEST(GeoJsonWriter, EmptySurvey) {
    ConversionData data = test::SmallMap();
    data.WptCount = data.TrkCount = data.TrkPointCount = 0;
    EXPECT_EQ(
        test::Written(&WriteGeoJson, data),
        "{\"type\": \"FeatureCollection\", \"name\": \"Wi-Fi survey\", \"features\": [\n]}\n");
}

} // namespace
} // namespace wavemark
