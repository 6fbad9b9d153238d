#include "Convert.h"

#include "ExportText.h"
#include "RecordingWindow.h"
#include "TempFolder.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace wavemark {
namespace {

using test::ExportText;
using test::MakeAp;

const std::string kA = "00:00:00:00:00:0a";
const std::string kB = "00:00:00:00:00:0b";

class ConvertTest : public ::testing::Test {
protected:
    ConvertTest() {
        window.m_settings =
            Settings{.SummaryFilePath = folder.write(
                         "summary.txt", ExportText({MakeAp(kA, "0011", "Caf\xC3\xA9").line(),
                                                    MakeAp(kB, "0002", "Caf\xE9").line()})),
                     .TextFilePath = folder.write(
                         "text.txt", ExportText({MakeAp(kA, "0011", "net", "12:00:00").line(),
                                                 MakeAp(kA, "0011", "net", "12:00:01").line(),
                                                 MakeAp(kB, "0002", "net", "12:00:02").line()})),
                     .TConvertEnabled = 1,
                     .WPFontSize = 9,
                     .WPFontBold = true,
                     .WPTBoxBack = true};
        window.selectedCodes = {{CodeList::IconWEP, 44}};
    }

    void convert() {
        window.events.clear();
        window.messages.clear();
        Convert(state, window);
    }

    // The events of the last run, joined with "|".
    std::string events() const {
        std::string joined;
        for (const std::string& e : window.events) {
            joined += (joined.empty() ? "" : "|") + e;
        }
        return joined;
    }

    test::TempFolder folder;
    test::RecordingWindow window;
    ConverterState state;
};

// 9 points give style records of height -12; the records are built again on
// every run, even when no access point is kept. The typed filter is turned
// into the export's bytes, and meets only them.
TEST_F(ConvertTest, FullRunShowsEveryStepInOrderAndBuildsTheStyleRecords) {
    convert();
    EXPECT_EQ(events(),
              "wait cursor|status 0 on|status 1 off|status 2 off|list 0|list 1|list 2|"
              "list 3|label 0 = Number of APs with WEP : 1|"
              "label 1 = Number of APs without WEP : 1|label 2 = Number of AdHoc peers : 1|"
              "label 3 = Number of filterd APs : 0|label 4 = Number of Waypoints: 2|"
              "label 5 = Number of Tracklogs: 0|label 6 = Number of Trackpoints: 0|events|"
              "label 5 = Reading File !|label 6 = |events|"
              "label 5 = Number of Tracklogs: 0|label 6 = Number of Trackpoints: 0|events|"
              "label 6 = Number of Trackpoints: 1|events|label 6 = Number of Trackpoints: 2|"
              "events|label 5 = Number of Tracklogs: 1|events|"
              "label 6 = Number of Trackpoints: 3|events|label 6 = Number of Trackpoints: 2|"
              "events|status 0 off|status 1 on|status 2 off|default cursor");
    ASSERT_EQ(state.data.WptStyleCount, 4);
    for (int k = 1; k <= 4; ++k) {
        const WaypointStyle& s = state.data.WptStyles[static_cast<size_t>(k)];
        EXPECT_EQ(std::tuple(s.Height, s.Display, s.Weight, s.Background),
                  std::tuple(-12, k - 1, 700, k == 4 ? -1 : 0));
    }

    window.m_settings.APFilter = "Caf\xC3\xA9";
    window.m_settings.NoWEPCheck = 1;
    window.m_settings.WPFontSize = 12;
    convert();
    EXPECT_EQ(state.data.CountFiltered, 1);
    EXPECT_EQ(state.data.WptCount, 0);
    EXPECT_EQ(state.data.WptStyles[4].Height, -16);
}

// A summary that is no export is reported and hides all three notices,
// though the end of the run shows "Converted !" again. On the first run it
// makes nothing; later, one that is no export, empty or missing leaves the
// waypoints of the last run, with its symbols. The symbol lists are read at
// the start of every run.
TEST_F(ConvertTest, FilesThatAreNoExportsKeepWhatTheLastRunMade) {
    const std::string summary = window.m_settings.SummaryFilePath;
    const std::string notes = folder.write("notes.txt", "notes\r\n");
    const std::string missing = folder.file("missing.txt");
    window.m_settings.SummaryFilePath = notes;
    convert();
    ASSERT_EQ(events(),
              "wait cursor|status 0 on|status 1 off|status 2 off|list 0|list 1|list 2|"
              "list 3|message Wavemark: Not a Network Stumbler file !|status 0 off|"
              "status 1 off|status 2 off|label 4 = Number of Waypoints: 0|"
              "label 5 = Number of Tracklogs: 0|label 6 = Number of Trackpoints: 0|events|"
              "label 5 = Reading File !|label 6 = |events|"
              "label 5 = Number of Tracklogs: 0|label 6 = Number of Trackpoints: 0|events|"
              "status 0 off|status 1 on|status 2 off|default cursor");
    EXPECT_EQ(window.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(state.data.WptStyleCount, 0);

    window.m_settings.SummaryFilePath = summary;
    convert();
    window.selectedCodes[CodeList::IconWEP] = 63;
    for (const std::string& path : {notes, folder.write("empty.txt", ""), missing}) {
        window.m_settings.SummaryFilePath = path;
        convert();
        ASSERT_EQ(window.messages.size(), path == missing ? 2u : 1u) << path;
        EXPECT_EQ(window.messages.back().text, "Not a Network Stumbler file !");
        EXPECT_EQ(state.data.WptCount, 2);
        EXPECT_EQ(state.data.WptIcon[1], 44);
        EXPECT_EQ(state.data.CountWEP, 1);
        EXPECT_EQ(state.data.WptStyleCount, 4);
        EXPECT_EQ(state.data.TrkCount, 1);
    }
    EXPECT_EQ(window.messages[0].title, "ERROR - LoadFile");
    window.m_settings.SummaryFilePath = summary;
    convert();
    EXPECT_EQ(state.data.WptIcon[1], 63);
    EXPECT_EQ(window.m_settings.IconWEP, 63);

    // A text export that is no export leaves the tracks of the last run;
    // without tracks it is not even opened, and the counts drop to nothing.
    window.m_settings.TextFilePath = notes;
    convert();
    EXPECT_EQ(state.data.TrkCount, 1);
    EXPECT_EQ(state.data.TrkPointCount, 2);
    EXPECT_EQ(window.labels[5], "Number of Tracklogs: 1");
    EXPECT_EQ(window.labels[6], "Number of Trackpoints: 2");
    EXPECT_TRUE(window.statusVisible[1]);

    window.m_settings.TConvertEnabled = 0;
    window.m_settings.TextFilePath = missing;
    convert();
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(state.data.TrkCount, 0);
    EXPECT_EQ(state.data.TrkPointCount, 0);
    // The previous run's counts first, then the zeros.
    EXPECT_TRUE(events().ends_with("label 5 = Number of Tracklogs: 1|"
                                   "label 6 = Number of Trackpoints: 2|events|"
                                   "label 5 = Number of Tracklogs: 0|"
                                   "label 6 = Number of Trackpoints: 0|status 0 off|status 1 on|"
                                   "status 2 off|default cursor"))
        << events();
}

} // namespace
} // namespace wavemark
