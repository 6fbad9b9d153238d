#include "maps/SaveCommand.h"

#include "ExportText.h"
#include "RecordingWindow.h"
#include "TempFolder.h"
#include "platform/PathSeparator.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace wavemark {
namespace {

namespace fs = std::filesystem;

class SaveCommandTest : public ::testing::Test {
protected:
    SaveCommandTest() {
        Settings& s = window.m_settings;
        s.SummaryFilePath = folder.write("summary.txt", test::ExportText({test::ApLine{}.line()}));
        s.OutputPrefix = "NS-Log_";
        s.OutputPath = "/previous/folder";
    }

    SaveOutcome save() { return Command1_Click(state, GtmFilePath, window); }

    test::TempFolder folder;
    test::RecordingWindow window;
    ConverterState state;
    std::string GtmFilePath = "earlier.gtm";
};

// The first save converts and proposes prefix and date; a failed (reported) or cancelled
// dialog changes nothing; later saves write the data converted then.
TEST_F(SaveCommandTest, ConvertsOnceAndProposesPrefixAndDate) {
    window.dialog.fail(13, "No display");
    window.dialog.cancel();
    window.dialog.acceptFile(folder.file("one.gtm"));
    window.dialog.acceptFile(folder.file("two.gtm"));
    EXPECT_EQ(save(), SaveOutcome::DialogFailed);
    EXPECT_EQ(save(), SaveOutcome::Cancelled);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "The save dialog could not be shown: No display (Error 13)");
    EXPECT_EQ(window.messages[0].icon, MessageIcon::Critical);
    ASSERT_EQ(window.dialog.shown.size(), 2u);
    const test::ScriptedDialog::Shown& shown = window.dialog.shown[0];
    EXPECT_EQ(shown.operation, "save");
    EXPECT_EQ(shown.DialogTitle, "Save File As");
    EXPECT_EQ(shown.Flags, 6);
    EXPECT_EQ(shown.Filter,
              "GPS TrackMaker File (*.gtm)|*.gtm|GPX File (*.gpx)|*.gpx|KML File (*.kml)|*.kml|"
              "GeoJSON File (*.geojson)|*.geojson|");
    EXPECT_EQ(shown.FileName, "NS-Log_2004-04-08.gtm");
    EXPECT_EQ(GtmFilePath, "earlier.gtm");
    EXPECT_EQ(window.m_settings.OutputPath, "/previous/folder");
    EXPECT_FALSE(state.data.DataSaved);

    EXPECT_EQ(save(), SaveOutcome::Written);
    folder.write("summary.txt", "changed since\r\n");
    EXPECT_EQ(save(), SaveOutcome::Written);
    EXPECT_EQ(std::ranges::count(window.events, "wait cursor"), 1);
    EXPECT_EQ(fs::file_size(folder.file("two.gtm")), fs::file_size(folder.file("one.gtm")));
}

// With no access point the save still converts once and writes header and datum alone.
TEST_F(SaveCommandTest, ConversionWithoutAccessPointsStillSaves) {
    window.m_settings.SummaryFilePath = folder.write("summary.txt", test::ExportText({}, ""));
    window.dialog.acceptFile(folder.file("empty.gtm"));
    EXPECT_EQ(save(), SaveOutcome::Written);
    EXPECT_EQ(fs::file_size(folder.file("empty.gtm")), 180u);
    EXPECT_EQ(std::ranges::count(window.events, "wait cursor"), 1);
}

// The exports are never overwritten, under any name; the failure box says why.
TEST_F(SaveCommandTest, NeverOverwritesTheExports) {
    const std::string& summary = window.m_settings.SummaryFilePath;
    const std::string before = test::ReadBytes(summary);
    const std::string link = folder.file("summary.gtm");
    fs::create_hard_link(summary, link);
    window.dialog.acceptFile(link);
    EXPECT_EQ(save(), SaveOutcome::WriteFailed);
    EXPECT_EQ(test::ReadBytes(summary), before);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "The GTM file could not be written:\r\n" + link +
                                           "\r\nIs the same file as the summary export");
    EXPECT_FALSE(state.data.DataSaved);
}

// ".gtm", ".gpx", ".kml" and ".geojson" in any case are written in that format, other names are
// ignored silently; the output folder becomes what precedes the last separator if it stands at
// position two or later. Only a written file is what "File saved !" opens.
TEST_F(SaveCommandTest, MapNamesAreWrittenInTheirFormatAndSetTheOutputFolder) {
    const fs::path previousFolder = fs::current_path();
    fs::current_path(folder.path());
    fs::create_directory("sub");
    const auto expectSave = [&](const std::string& typed, SaveOutcome outcome,
                                const std::string& path) {
        window.m_settings.OutputPath = "/previous/folder";
        state.data.DataSaved = false;
        window.dialog.acceptFile(typed);
        EXPECT_EQ(save(), outcome) << typed;
        const bool written = outcome == SaveOutcome::Written;
        std::error_code tooLong;
        EXPECT_EQ(fs::exists(typed, tooLong), written) << typed;
        if (written) {
            EXPECT_EQ(GtmFilePath, typed);
        }
        EXPECT_EQ(state.data.DataSaved, written);
        EXPECT_EQ(window.m_settings.OutputPath, path);
    };
    expectSave(folder.file("survey"), SaveOutcome::NotAMapName, "/previous/folder");
    EXPECT_EQ(GtmFilePath, "earlier.gtm");
    // Letter case is MapFormat's test; here each format's own bytes are written.
    const std::pair<const char*, std::string_view> marks[] = {
        {"a.GTM", "TrackMaker"},
        {"b.gtm", "TrackMaker"},
        {"c.gpx", "<gpx "},
        {"d.geoJSON", "\"FeatureCollection\""},
        {"f.Kml", "<kml "}};
    for (const auto& [name, mark] : marks) {
        expectSave(folder.file(name), SaveOutcome::Written, folder.path().string());
        EXPECT_NE(test::ReadBytes(folder.file(name)).substr(0, 200).find(mark), std::string::npos)
            << name;
    }
    expectSave(folder.file("g.gpx.txt"), SaveOutcome::NotAMapName, "/previous/folder");
    EXPECT_EQ(GtmFilePath, folder.file("f.Kml"));
    expectSave("plain.gtm", SaveOutcome::Written, "/previous/folder");
    expectSave(std::string("sub") + kPathSeparator + "nested.gtm", SaveOutcome::Written, "sub");
    EXPECT_TRUE(window.messages.empty());
    // A separator in first place keeps the folder (a name too long to land in the root).
    expectSave(kPathSeparator + std::string(300, 'x') + ".gtm", SaveOutcome::WriteFailed,
               "/previous/folder");
    EXPECT_EQ(GtmFilePath, std::string("sub") + kPathSeparator + "nested.gtm");
    fs::current_path(previousFolder);
}

} // namespace
} // namespace wavemark
