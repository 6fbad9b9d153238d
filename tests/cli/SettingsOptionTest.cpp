#include "CommandLineConverter.h"

#include "ExportText.h"
#include "GtmReader.h"
#include "TempFolder.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace wavemark {
namespace {

using test::ExportText;
using test::MakeAp;

// A hand-written settings file: other letter case, blanks, a comment, LF
// line ends, and keys left out.
const char* const kSettings = "; edited by hand\n"
                              "[waypoints]\n"
                              "IconNoWEP = 1\n"
                              "IconWEP=192\n"
                              "StyleNoWEP=2\n"
                              "StyleWEP=4\n"
                              "WPFontName=Courier New\n"
                              "WPFontSize=12\n"
                              "WPFontBold=false\n"
                              "WPFontItalic=TRUE\n"
                              "WPFontColor=16711680\n"
                              "WPTBoxBack=False\n"
                              "[Tracks]\n"
                              "TChangeColors=0\n"
                              "TColorNoWep=123\n"
                              "TColorWep=456\n"
                              "TLineNoWep=17\n"
                              "TLineWep=18\n"
                              "[Options]\n"
                              "APFilter=\n";

class SettingsOptionTest : public ::testing::Test {
protected:
    SettingsOptionTest() {
        const std::vector<std::string> summary = {
            MakeAp("00:00:00:00:00:01", "0001", "net", "10:00:00").line(),
            MakeAp("00:00:00:00:00:02", "0011", "net", "10:00:00").line()};
        const std::vector<std::string> text = {
            MakeAp("00:00:00:00:00:01", "0001", "net", "10:00:00").line(),
            MakeAp("00:00:00:00:00:01", "0001", "net", "10:00:01").line(),
            MakeAp("00:00:00:00:00:02", "0011", "net", "10:00:02").line(),
            MakeAp("00:00:00:00:00:02", "0011", "net", "10:00:03").line()};
        summaryPath = folder.write("summary.txt", ExportText(summary));
        textPath = folder.write("text.txt", ExportText(text));
        settingsPath = folder.write("Wavemark.ini", kSettings);
        output = folder.file("out.gtm");
    }

    test::GtmFile convert(std::vector<std::string> extra) {
        std::vector<std::string> args = {"--settings", settingsPath, summaryPath,
                                         textPath,     "-o",         output};
        args.insert(args.end(), extra.begin(), extra.end());
        std::ostringstream out, errors;
        EXPECT_EQ(RunCommandLine(args, folder.path().string(), out, errors), 0) << errors.str();
        const auto file = test::ReadGtmFile(test::ReadBytes(output));
        EXPECT_TRUE(file.has_value());
        return file.value_or(test::GtmFile{});
    }

    test::TempFolder folder;
    std::string summaryPath, textPath, settingsPath, output;
};

TEST_F(SettingsOptionTest, SymbolsStylesFontAndColoursComeFromTheFile) {
    const test::GtmFile file = convert({});
    ASSERT_EQ(file.waypoints.size(), 2u);
    EXPECT_EQ(file.waypoints[0].icon, 1);
    EXPECT_EQ(file.waypoints[0].display, 2);
    EXPECT_EQ(file.waypoints[1].icon, 192);
    EXPECT_EQ(file.waypoints[1].display, 4);

    ASSERT_EQ(file.styles.size(), 4u);
    for (const WaypointStyle& style : file.styles) {
        EXPECT_EQ(style.Height, -16);
        EXPECT_EQ(style.FaceName, "Courier New");
        EXPECT_EQ(style.Weight, 400);
        EXPECT_EQ(style.Italic, 1);
        EXPECT_EQ(style.Color, 16711680);
        EXPECT_EQ(style.Background, 0);
        // Keys the file lacks keep their first-start values.
        EXPECT_EQ(style.BackColor, 65535);
        EXPECT_EQ(style.Border, 139);
    }

    ASSERT_EQ(file.tracks.size(), 2u);
    EXPECT_EQ(file.tracks[0].color, 123);
    EXPECT_EQ(file.tracks[0].lineStyle, 17);
    EXPECT_EQ(file.tracks[1].color, 456);
    EXPECT_EQ(file.tracks[1].lineStyle, 18);
}

TEST_F(SettingsOptionTest, FlagsWinOverTheFile) {
    const test::GtmFile file = convert({"--random-colors", "--only-no-wep"});
    ASSERT_EQ(file.waypoints.size(), 1u);
    ASSERT_EQ(file.tracks.size(), 1u);
    EXPECT_NE(file.tracks[0].color, 123);
}

TEST_F(SettingsOptionTest, UnreadableSettingsFileFails) {
    const std::string missing = folder.file("none.ini");
    std::ostringstream out, errors;
    EXPECT_EQ(RunCommandLine({"--settings", missing, summaryPath, textPath, "-o", output},
                             folder.path().string(), out, errors),
              1);
    EXPECT_NE(errors.str().find(missing), std::string::npos) << errors.str();
    EXPECT_NE(errors.str().find("No such file or directory"), std::string::npos);
}

} // namespace
} // namespace wavemark
