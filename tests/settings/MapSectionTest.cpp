#include "settings/MapSection.h"

#include "SameBytes.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace wavemark {
namespace {

class MapSectionTest : public testing::Test {
protected:
    MapSectionTest() { ini.Filename(folder.file("Wavemark.ini")); }
    MapSection read(std::string_view bytes) {
        folder.write("Wavemark.ini", bytes);
        return ReadMapSection(ini);
    }

    test::TempFolder folder;
    CDS_CIni ini;
};

// A file without the section, or none at all, gives the defaults: OSM's
// tiles, no stored place or view.
TEST_F(MapSectionTest, NoSectionGivesTheDefaults) {
    EXPECT_EQ(ReadMapSection(ini), MapSection{});
    EXPECT_EQ(read("[InputPath]\r\nInputTextFile=t.txt\r\n"), MapSection{});
    EXPECT_EQ(MapSection{}.TileUrl, "https://tile.openstreetmap.org/{z}/{x}/{y}.png");
    EXPECT_FALSE(MapSection{}.Latitude);
}

// Every key written is read back, in place in a file the user has
// annotated: comments, unknown keys and other sections stay as they were.
TEST_F(MapSectionTest, WrittenInPlaceAndReadBack) {
    folder.write("Wavemark.ini", "[Map]\r\n; my own server\r\nTileUrl=http://127.0.0.1:8080/{z}/"
                                 "{x}/{y}.png\r\nExtra=1\r\n[Other]\r\nKey=v\r\n");
    const MapSection section{.Left = -20,
                             .Top = 40,
                             .Width = 1024,
                             .Height = 700,
                             .Latitude = 47.1234567,
                             .Longitude = -8.25,
                             .Zoom = 17,
                             .TileUrl = "http://127.0.0.1:8080/{z}/{x}/{y}.png"};
    ASSERT_TRUE(WriteMapSection(ini, section));
    EXPECT_TRUE(test::SameBytes(
        "[Map]\r\n; my own server\r\nTileUrl=http://127.0.0.1:8080/{z}/{x}/{y}.png\r\nExtra=1\r\n"
        "Left=-20\r\nTop=40\r\nWidth=1024\r\nHeight=700\r\nLatitude=47.1234567\r\n"
        "Longitude=-8.2500000\r\nZoom=17\r\n[Other]\r\nKey=v\r\n",
        test::ReadBytes(ini.Filename())));
    EXPECT_EQ(ReadMapSection(ini), section);

    // Without a place or a view, those keys are not written.
    const test::TempFolder other;
    ini.Filename(other.file("Wavemark.ini"));
    ASSERT_TRUE(WriteMapSection(ini, MapSection{}));
    EXPECT_TRUE(test::SameBytes("[Map]\r\nWidth=800\r\nHeight=600\r\nZoom=1\r\nTileUrl=https://"
                                "tile.openstreetmap.org/{z}/{x}/{y}.png\r\n",
                                test::ReadBytes(ini.Filename())));
}

// Keys in any letter case with blanks around them; the first of two wins;
// values out of range or not numbers keep the defaults; a view needs both
// coordinates; an empty TileUrl turns tiles off.
TEST_F(MapSectionTest, ReadsWhatHandsWrite) {
    const MapSection section = read("[map]\r\n  width = 1200 \r\nWIDTH=300\r\nHeight=abc\r\n"
                                    "Zoom=20\r\nLeft=5\r\nLatitude=12.5\r\nTileUrl=\r\n");
    EXPECT_EQ(section.Width, 1200);
    EXPECT_EQ(section.Height, 600);
    EXPECT_EQ(section.Zoom, 1);
    EXPECT_EQ(section.Left, 5);
    EXPECT_FALSE(section.Top);
    EXPECT_FALSE(section.Latitude);
    EXPECT_EQ(section.TileUrl, "");

    const MapSection view = read("[Map]\r\nLatitude=-33.8688\r\nLongitude=151.2093\r\n"
                                 "Zoom=0\r\nWidth=100\r\nHeight=20001\r\n");
    EXPECT_EQ(view.Latitude, -33.8688);
    EXPECT_EQ(view.Longitude, 151.2093);
    EXPECT_EQ(view.Zoom, 0);
    EXPECT_EQ(view.Width, 800);
    EXPECT_EQ(view.Height, 600);
    EXPECT_EQ(read("[Map]\r\nLatitude=91\r\nLongitude=0\r\n").Latitude, std::nullopt);
    EXPECT_EQ(read("[Map]\r\nLatitude=1\r\nLongitude=1e400\r\n").Longitude, std::nullopt);
}

} // namespace
} // namespace wavemark
