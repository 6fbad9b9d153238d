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

using test::ApLine;
using test::ExportText;
using test::MakeAp;

class CommandLineConverterTest : public ::testing::Test {
protected:
    CommandLineConverterTest() {
        summary = folder.write("summary.txt",
                               ExportText({MakeAp("00:00:00:00:00:01", "0011", "wep").line(),
                                           MakeAp("00:00:00:00:00:02", "0001", "open").line(),
                                           MakeAp("00:00:00:00:00:03", "0002", "peer").line(),
                                           MakeAp("00:00:00:00:00:04", "0001", "public").line()}));
        ApLine second = MakeAp("00:00:00:00:00:01", "0011", "wep");
        second.time = "12:35:00";
        text = folder.write(
            "text.txt",
            ExportText({MakeAp("00:00:00:00:00:01", "0011", "wep").line(), second.line()}));
        output = folder.file("out.gtm");
    }

    int run(std::vector<std::string> args) {
        out.str("");
        errors.str("");
        return RunCommandLine(args, folder.path().string(), out, errors);
    }

    test::TempFolder folder;
    std::string summary;
    std::string text;
    std::string output;
    std::ostringstream out;
    std::ostringstream errors;
};

TEST_F(CommandLineConverterTest, PrintsTheSevenCountersAndWritesTheFile) {
    EXPECT_EQ(run({summary, text, "-o", output}), 0);
    EXPECT_EQ(out.str(), "Number of APs with WEP : 1\n"
                         "Number of APs without WEP : 2\n"
                         "Number of AdHoc peers : 1\n"
                         "Number of filterd APs : 1\n"
                         "Number of Waypoints: 3\n"
                         "Number of Tracklogs: 1\n"
                         "Number of Trackpoints: 2\n");
    EXPECT_EQ(errors.str(), "");
    EXPECT_EQ(std::filesystem::file_size(output),
              180u + (43 + 3) + (43 + 4) + (43 + 4) + 4 * (30 + 5) + 2 * 25 + (14 + 3));
}

TEST_F(CommandLineConverterTest, FlagsChangeTheOptions) {
    EXPECT_EQ(
        run({"--no-tracks", "--filter", "open,wep", "--only-no-wep", "-q", summary, "-o", output}),
        0);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(run({"--no-tracks", "--filter", "", "--only-no-wep", summary, "-o", output}), 0);
    EXPECT_NE(out.str().find("Number of Waypoints: 3\n"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("Number of Tracklogs: 0\nNumber of Trackpoints: 0\n"),
              std::string::npos);
}

TEST_F(CommandLineConverterTest, WithoutTracksTheTextExportIsNeverOpened) {
    EXPECT_EQ(run({"--no-tracks", summary, folder.file("missing.txt"), "-o", output}), 0);
    EXPECT_EQ(errors.str(), "");
}

TEST_F(CommandLineConverterTest, InputThatIsNoExportFailsWithoutOutput) {
    const std::string notExport = folder.write("notes.txt", "just some notes\r\n");
    const std::string empty = folder.write("empty.txt", "");
    for (const auto& args :
         std::vector<std::vector<std::string>>{{notExport, text, "-o", output},
                                               {summary, notExport, "-o", output},
                                               {empty, text, "-o", output}}) {
        EXPECT_EQ(run(args), 1);
        EXPECT_EQ(errors.str(), "Not a Network Stumbler file !\n");
        EXPECT_FALSE(std::filesystem::exists(output));
    }
}

TEST_F(CommandLineConverterTest, UnreadableInputIsReportedLikeTheWindowDoes) {
    const std::string missing = folder.file("missing.txt");
    EXPECT_EQ(run({missing, text, "-o", output}), 1);
    EXPECT_EQ(errors.str(),
              "ERROR - LoadFile: An error occured: No such file or directory (Error 2)\n"
              "File: " +
                  missing +
                  "\n"
                  "Not a Network Stumbler file !\n");
    EXPECT_FALSE(std::filesystem::exists(output));
}

TEST_F(CommandLineConverterTest, UnwritableOutputFails) {
    const std::string target = folder.file("no folder/out.gtm");
    EXPECT_EQ(run({summary, text, "-o", target}), 1);
    EXPECT_EQ(errors.str(),
              "The GTM file could not be written:\n" + target + "\nNo such file or directory\n");
    EXPECT_EQ(out.str(), "");
}

TEST_F(CommandLineConverterTest, BadUsageExitsWithTwo) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {},
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
}

TEST_F(CommandLineConverterTest, HelpAndVersion) {
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_NE(out.str().find("--no-tracks"), std::string::npos);
    EXPECT_EQ(run({"--version"}), 0);
    EXPECT_EQ(out.str().rfind("wavemark-convert ", 0), 0u);
}

} // namespace
} // namespace wavemark
