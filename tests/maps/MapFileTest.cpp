#include "maps/MapFile.h"

#include "RecordingWindow.h"
#include "SmallMap.h"
#include "TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace wavemark {
namespace {

// The extension names the format in any letter case, and only after a dot.
TEST(MapFormat, TellsFormatsByExtensionAndName) {
    const auto nameOf = [](MapFormat format) {
        return format == nullptr ? std::string_view("none") : format->name;
    };
    const std::pair<const char*, std::string_view> paths[] = {
        {"a.gtm", "GTM"},         {"/x/b.GPX", "GPX"},      {"c.Kml", "KML"},
        {".gtm", "GTM"},          {"d.kml.txt", "none"},    {"e.xgpx", "none"},
        {"gpx", "none"},          {"f.", "none"},           {"", "none"},
        {"g.geojson", "GeoJSON"}, {"h.GEOJSON", "GeoJSON"}, {"i.json", "none"},
    };
    for (const auto& [path, format] : paths) {
        EXPECT_EQ(nameOf(MapFormatOfPath(path)), format) << path;
    }
    EXPECT_EQ(nameOf(MapFormatNamed("GTM")), "GTM");
    EXPECT_EQ(nameOf(MapFormatNamed("gpx")), "GPX");
    EXPECT_EQ(nameOf(MapFormatNamed("kMl")), "KML");
    EXPECT_EQ(nameOf(MapFormatNamed("GeoJson")), "GeoJSON");
    EXPECT_EQ(nameOf(MapFormatNamed("gp")), "none");
    EXPECT_EQ(nameOf(MapFormatNamed(".kml")), "none");
    EXPECT_EQ(nameOf(DefaultMapFormat()), "GTM");
}

// A failed write shows why, in the format's name, and changes nothing; a written file
// marks the data saved and shows "File saved !".
TEST(MapFile, OnlyAWrittenFileMarksTheDataSaved) {
    const std::pair<MapFormat, std::string> formats[] = {{MapFormatNamed("gtm"), "GTM"},
                                                         {MapFormatNamed("gpx"), "GPX"},
                                                         {MapFormatNamed("kml"), "KML"},
                                                         {MapFormatNamed("geojson"), "GeoJSON"}};
    for (const auto& [format, name] : formats) {
        test::TempFolder folder;
        test::RecordingWindow window;
        ConversionData data = test::SmallMap();
        data.DataSaved = false;
        const std::string target = folder.file("missing/out");
        EXPECT_EQ(WriteMapFile(data, format, target, {}, window, window),
                  WriteOutcome::WriteFailed);
        EXPECT_FALSE(data.DataSaved);
        EXPECT_FALSE(std::filesystem::exists(target));
        ASSERT_EQ(window.messages.size(), 1u);
        EXPECT_EQ(window.messages[0].title, "Wavemark");
        EXPECT_EQ(window.messages[0].text, "The " + name + " file could not be written:\r\n" +
                                               target + "\r\nNo such file or directory");
        EXPECT_EQ(window.events.size(), 1u) << "no status change after a failure";

        window.events.clear();
        EXPECT_EQ(WriteMapFile(data, format, folder.file("out"), {}, window, window),
                  WriteOutcome::Written);
        EXPECT_TRUE(data.DataSaved);
        EXPECT_EQ(window.events,
                  (std::vector<std::string>{"status 0 off", "status 1 off", "status 2 on"}));
    }
}

#ifndef _WIN32
// SOURCE_DATE_EPOCH pins the time of writing when it holds a whole number.
TEST(MapFile, WritingTimeFollowsSourceDateEpoch) {
    ::setenv("SOURCE_DATE_EPOCH", "1796594118", 1);
    EXPECT_EQ(WritingTime(), 1796594118);
    // Otherwise the clock's: later than this test was written (2026-01-01).
    ::setenv("SOURCE_DATE_EPOCH", "soon", 1);
    EXPECT_GT(WritingTime(), 1767225600);
    ::unsetenv("SOURCE_DATE_EPOCH");
    EXPECT_GT(WritingTime(), 1767225600);
}
#endif

} // namespace
} // namespace wavemark
