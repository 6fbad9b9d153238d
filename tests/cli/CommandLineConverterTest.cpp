#include "CommandLineConverter.h"

#include "ExportText.h"
#include "TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace wavemark {
namespace {

using test::ExportText;
using test::MakeAp;
using Args = std::vector<std::string>;

const std::string kWep = "00:00:00:00:00:01";
const std::string kOpen = "00:00:00:00:00:02";

class CommandLineConverterTest : public ::testing::Test {
protected:
    CommandLineConverterTest() {
        summary = folder.write(
            "summary.txt",
            ExportText({MakeAp(kWep, "0011", "wep").line(), MakeAp(kOpen, "0001", "open").line(),
                        MakeAp("00:00:00:00:00:03", "0002", "peer").line(),
                        MakeAp("00:00:00:00:00:04", "0001", "public").line()}));
        text =
            folder.write("text.txt", ExportText({MakeAp(kWep, "0011", "wep", "12:00:00").line(),
                                                 MakeAp(kWep, "0011", "wep", "12:00:01").line(),
                                                 MakeAp(kOpen, "0001", "o", "12:00:02").line(),
                                                 MakeAp(kOpen, "0001", "o", "12:00:03").line()}));
        output = folder.file("out.gtm");
    }

    int run(const Args& args) {
        out.str("");
        errors.str("");
        return RunCommandLine(args, folder.path().string(), out, errors);
    }

    test::TempFolder folder;
    std::string summary, text, output;
    std::ostringstream out, errors;
};

std::string counters(int wep, int noWep, int filtered, int waypoints, int tracks, int points) {
    return "Number of APs with WEP : " + std::to_string(wep) +
           "\nNumber of APs without WEP : " + std::to_string(noWep) +
           "\nNumber of AdHoc peers : 1\nNumber of filterd APs : " + std::to_string(filtered) +
           "\nNumber of Waypoints: " + std::to_string(waypoints) +
           "\nNumber of Tracklogs: " + std::to_string(tracks) +
           "\nNumber of Trackpoints: " + std::to_string(points) + "\n";
}

// The seven counters on success; --filter "" keeps "public", --only-no-wep
// drops the WEP waypoint, and without tracks the text export, here missing,
// is never opened.
TEST_F(CommandLineConverterTest, PrintsTheCountersOfWhatTheFlagsKeep) {
    const std::string missing = folder.file("missing.txt");
    const std::pair<Args, std::string> cases[] = {
        {{summary, text, "-o", output}, counters(1, 2, 1, 3, 2, 4)},
        {{"--no-tracks", "--filter", "", "--only-no-wep", summary, missing, "-o", output},
         counters(1, 3, 0, 3, 0, 0)},
        {{"-q", summary, text, "-o", output}, ""}};
    for (const auto& [args, expected] : cases) {
        SCOPED_TRACE(args[0]);
        std::filesystem::remove(output);
        EXPECT_EQ(run(args), 0);
        EXPECT_EQ(out.str(), expected);
        EXPECT_EQ(errors.str(), "");
        EXPECT_TRUE(std::filesystem::exists(output));
    }
}

TEST_F(CommandLineConverterTest, FailuresLeaveNoOutput) {
    const std::string notes = folder.write("notes.txt", "just some notes\r\n");
    const std::string missing = folder.file("missing.txt");
    const std::string noFolder = folder.file("no folder/out.gtm");
    const struct {
        Args args;
        std::string errors;
    } cases[] = {
        {{summary, notes, "-o", output}, "Not a Network Stumbler file !\n"},
        {{summary, text, "-o", noFolder},
         "The GTM file could not be written:\n" + noFolder + "\nNo such file or directory\n"},
        {{"--settings", missing, summary, text, "-o", output},
         "The settings file could not be read:\n" + missing + "\nNo such file or directory\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1]);
        EXPECT_EQ(run(c.args), 1);
        EXPECT_EQ(errors.str(), c.errors);
        EXPECT_EQ(out.str(), "");
        EXPECT_FALSE(std::filesystem::exists(output));
    }
}

TEST_F(CommandLineConverterTest, BadUsageExitsWithTwo) {
    for (const Args& args :
         std::vector<Args>{{},
                           {summary, text},
                           {summary, "-o"},
                           {summary, text, "-o", output, "--bogus"},
                           {summary, text, "extra", "-o", output},
                           {summary, "-o", output},
                           {"--fixed-colors", "--random-colors", summary, text, "-o", output}}) {
        EXPECT_EQ(run(args), 2);
        EXPECT_EQ(errors.str().rfind("usage: wavemark-convert", 0), 0u) << errors.str();
    }
    EXPECT_FALSE(std::filesystem::exists(output));
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_NE(out.str().find("--no-tracks"), std::string::npos);
    EXPECT_EQ(run({"--version"}), 0);
    EXPECT_EQ(out.str().rfind("wavemark-convert ", 0), 0u);
}

// Little-endian bytes of a GTM field, written out here by hand.
std::string le(int64_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return out;
}

// A hand-written settings file (other letter case, blanks, a comment, LF line
// ends, keys left out) reaches the waypoints, the style records and the
// tracks of the file, which are read back from its bytes.
TEST_F(CommandLineConverterTest, SettingsFileSetsSymbolsStylesFontAndColours) {
    const std::string ini = folder.write("Wavemark.ini", "; edited by hand\n[waypoints]\n"
                                                         "IconNoWEP = 1\nIconWEP=192\n"
                                                         "StyleNoWEP=2\nStyleWEP=4\n"
                                                         "WPFontName=Courier New\nWPFontSize=12\n"
                                                         "WPFontBold=false\nWPFontItalic=TRUE\n"
                                                         "WPFontColor=16711680\nWPTBoxBack=False\n"
                                                         "[Tracks]\nTChangeColors=0\n"
                                                         "TColorNoWep=123\nTColorWep=456\n"
                                                         "TLineNoWep=17\nTLineWep=18\n");
    ASSERT_EQ(run({"--settings", ini, summary, text, "-o", output}), 0) << errors.str();
    const std::string gtm = test::ReadBytes(output);
    const auto has = [&gtm](const std::string& bytes) {
        return gtm.find(bytes) != std::string::npos;
    };
    // Waypoint comment, then symbol and display style.
    EXPECT_TRUE(has(le(3, 2) + "wep" + le(192, 2) + le(4, 1)));
    EXPECT_TRUE(has(le(4, 2) + "open" + le(1, 2) + le(2, 1)));
    // Style record 4: 12 points give height -16; no box background.
    EXPECT_TRUE(has(le(-16, 4) + le(11, 2) + "Courier New" + le(3, 1) + le(16711680, 4) +
                    le(400, 4) + le(0, 4) + le(139, 1) + le(0, 2) + le(65535, 4) + le(1, 1) +
                    le(0, 2) + le(1, 1)));
    // Track name, line style and fixed colour by WEP class.
    EXPECT_TRUE(has(le(3, 2) + "wep" + le(18, 1) + le(456, 4) + le(0, 7)));
    EXPECT_TRUE(has(le(4, 2) + "open" + le(17, 1) + le(123, 4) + le(0, 7)));

    // Flags still win over the file.
    EXPECT_EQ(run({"--settings", ini, "--only-no-wep", "--no-tracks", summary, "-o", output}), 0);
    EXPECT_NE(out.str().find("Number of Waypoints: 2\nNumber of Tracklogs: 0\n"),
              std::string::npos);
}

} // namespace
} // namespace wavemark
