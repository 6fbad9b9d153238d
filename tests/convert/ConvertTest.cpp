#include "convert/Convert.h"

#include "ExportText.h"
#include "Gzip.h"
#include "RecordingWindow.h"
#include "TempFolder.h"

#include <algorithm>
#include <deque>
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

    ConvertOutcome convert() {
        window.messages.clear();
        return Convert(state, window);
    }

    // The seven counter lines and the status notices as the run leaves them.
    std::string shown() const {
        std::string text;
        for (const std::string& label : window.labels) {
            text += label + '\n';
        }
        for (const bool visible : window.statusVisible) {
            text += visible ? "on " : "off ";
        }
        return text;
    }

    test::TempFolder folder;
    test::RecordingWindow window;
    ConverterState state;
};

// Each counter has its own count; kB's single reading makes no track, and
// "Reading File !" is painted before the text export is read. 9 points give
// style records of height -12; the records are built again on every run,
// even when no access point is kept. The filter meets names as text, typed
// UTF-8 or an older settings file's Windows-1252 alike. A line that is no
// access point, but for comments and blank lines, is counted as left out.
TEST_F(ConvertTest, ShowsTheCountersAndBuildsTheStyleRecords) {
    folder.write("summary.txt", ExportText({MakeAp(kA, "0011", "Caf\xC3\xA9").line(),
                                            MakeAp(kB, "0002", "Caf\xE9").line(),
                                            MakeAp("00:00:00:00:00:0c", "0010").line(),
                                            MakeAp("00:00:00:00:00:0d", "0010").line(),
                                            MakeAp("00:00:00:00:00:0e", "0001").line(),
                                            "# a comment", "", "not an access point"}));
    EXPECT_EQ(convert(), ConvertOutcome::Converted);
    EXPECT_EQ(state.skipped, (LeftOutCounts{{"malformed lines", 1}}));
    EXPECT_EQ(shown(), "Number of APs with WEP : 3\nNumber of APs without WEP : 2\n"
                       "Number of AdHoc peers : 1\nNumber of filterd APs : 0\n"
                       "Number of Waypoints: 5\nNumber of Tracklogs: 1\n"
                       "Number of Trackpoints: 2\noff on off ");
    EXPECT_TRUE(window.messages.empty());
    const std::vector<std::string> readingShown{"label 5 = Reading File !", "label 6 = ", "events"};
    EXPECT_NE(std::search(window.events.begin(), window.events.end(), readingShown.begin(),
                          readingShown.end()),
              window.events.end());
    ASSERT_EQ(state.data.WptStyleCount, 4);
    const WaypointStyle& s = state.data.WptStyles[4];
    EXPECT_EQ(std::tuple(s.Height, s.Weight, s.Background), std::tuple(-12, 700, -1));

    window.m_settings.APFilter = "Caf\xC3\xA9";
    window.m_settings.NoWEPCheck = 1;
    window.m_settings.WPFontSize = 12;
    EXPECT_EQ(convert(), ConvertOutcome::Converted);
    EXPECT_EQ(state.data.CountFiltered, 1);
    EXPECT_EQ(state.data.WptCount, 1);
    EXPECT_EQ(state.data.WptStyles[4].Height, -16);
    window.m_settings.APFilter = "Caf\xE9";
    EXPECT_EQ(convert(), ConvertOutcome::Converted);
    EXPECT_EQ(state.data.CountFiltered, 1);
}

// The text export is read last, and the survey is named by its last date.
TEST_F(ConvertTest, TheTextExportDatesTheSurvey) {
    folder.write("text.txt", ExportText({MakeAp(kA, "0011", "net").line()}, "2004-04-09"));
    EXPECT_EQ(convert(), ConvertOutcome::Converted);
    EXPECT_EQ(state.data.LogDate, "2004-04-09");
}

// While the window is not due to paint, trackpoint counts are held back; the
// latest is shown before the next track count and at the end, so that the
// trackpoints never lag behind the tracklogs. A count due to paint is shown at
// once, and what was held before it is dropped. kA's two readings make a
// track; kB's lone reading is counted and taken away again.
TEST_F(ConvertTest, TrackpointCountsWaitUntilTheWindowIsDueToPaint) {
    const struct {
        std::deque<bool> paintDue;
        std::string shown; // label number : count, after "Reading File !"
    } cases[] = {
        {{}, "5:0 6:0 6:1 6:2 5:1 6:3 6:2 "},
        {{false, false, false, false}, "5:0 6:0 6:2 5:1 6:2 "},
        {{false, true}, "5:0 6:0 6:2 5:1 6:3 6:2 "},
    };
    for (const auto& row : cases) {
        window.events.clear();
        window.paintDueAnswers = row.paintDue;
        EXPECT_EQ(convert(), ConvertOutcome::Converted);
        auto event =
            std::find(window.events.begin(), window.events.end(), "label 5 = Reading File !");
        std::string shown;
        for (; event != window.events.end(); ++event) {
            if (event->starts_with("label 5 = Number") || event->starts_with("label 6 = Number")) {
                shown += event->substr(6, 1) + ':' + event->substr(event->rfind(' ') + 1) + ' ';
            }
        }
        EXPECT_EQ(shown, row.shown) << row.paintDue.size() << " answers";
    }
}

// A summary that is no export is reported; on the first run it makes nothing,
// later one that is no export, empty or missing leaves the waypoints of the
// last run, with its symbols. The symbol lists are read at the start of every
// run.
TEST_F(ConvertTest, FilesThatAreNoExportsKeepWhatTheLastRunMade) {
    const std::string summary = window.m_settings.SummaryFilePath;
    const std::string notes = folder.write("notes.txt", "notes\r\n");
    const std::string missing = folder.file("missing.txt");
    window.m_settings.SummaryFilePath = notes;
    EXPECT_EQ(convert(), ConvertOutcome::NotAnExport);
    EXPECT_EQ(shown(), "\n\n\n\nNumber of Waypoints: 0\nNumber of Tracklogs: 0\n"
                       "Number of Trackpoints: 0\noff on off ");
    EXPECT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(state.data.WptStyleCount, 0);

    window.m_settings.SummaryFilePath = summary;
    EXPECT_EQ(convert(), ConvertOutcome::Converted);
    window.selectedCodes[CodeList::IconWEP] = 63;
    // The summary is streamed into the waypoints: one whose end cannot be
    // read has been read whole but for its last bytes, and still leaves them.
    const std::string gzip = test::Gzip(test::ReadBytes(summary));
    const std::string cutShort = folder.write("cut.txt.gz", gzip.substr(0, gzip.size() - 4));
    for (const std::string& path : {notes, folder.write("empty.txt", ""), missing, cutShort}) {
        window.m_settings.SummaryFilePath = path;
        const bool unreadable = path == missing || path == cutShort;
        EXPECT_EQ(convert(), unreadable ? ConvertOutcome::ReadFailed : ConvertOutcome::NotAnExport);
        ASSERT_EQ(window.messages.size(), unreadable ? 2u : 1u) << path;
        EXPECT_EQ(window.messages.front().title, unreadable ? "ERROR - LoadFile" : "Wavemark");
        EXPECT_EQ(window.messages.back().text, "Not a Network Stumbler file !");
        EXPECT_EQ(std::tuple(state.data.WptCount, state.data.WptIcon[1], state.data.CountWEP,
                             state.data.WptStyleCount, state.data.TrkCount),
                  std::tuple(2, 44, 1, 4, 1));
    }
    window.m_settings.SummaryFilePath = summary;
    EXPECT_EQ(convert(), ConvertOutcome::Converted);
    EXPECT_EQ(state.data.WptIcon[1], 63);

    // A text export that is no export leaves the tracks of the last run.
    window.m_settings.TextFilePath = notes;
    EXPECT_EQ(convert(), ConvertOutcome::NotAnExport);
    EXPECT_TRUE(shown().ends_with("Number of Tracklogs: 1\nNumber of Trackpoints: 2\noff on off "));
}

// A survey file that holds its readings (here WiGLE CSV) gives the
// waypoints and the tracks by the same rules, and the text export is not
// read; what it left out is kept for the converter to print. A broken one is
// reported with its name and leaves the last result.
TEST_F(ConvertTest, SurveyFilesGiveWaypointsAndTracks) {
    const std::string columns = "MAC,SSID,AuthMode,FirstSeen,Channel,RSSI,CurrentLatitude,"
                                "CurrentLongitude,AltitudeMeters,AccuracyMeters,Type\n";
    window.m_settings.TextFilePath = folder.file("missing.txt");
    window.m_settings.SummaryFilePath = folder.write(
        "run.csv", "WigleWifi-1.4,appRelease=2.26\n" + columns +
                       "00:0b:86:c2:e1:40,home,[WPA2-PSK-CCMP][ESS],2004-04-08 12:00:00,6,-60,"
                       "47.377015,8.539025,400,5,WIFI\n"
                       "00:0B:86:C2:E1:40,home,[WPA2-PSK-CCMP][ESS],2004-04-08 12:00:01,6,-50,"
                       "47.377016,8.539026,400,5,WIFI\n"
                       "aa:bb:cc:dd:ee:ff,,[ESS],2004-04-08 12:00:02,6,-70,47.3,8.5,400,5,WIFI\n"
                       "11:22:33:44:55:66,phone,,2004-04-08 12:00:03,0,-80,47.3,8.5,0,5,BLE\n");
    EXPECT_EQ(convert(), ConvertOutcome::Converted);
    EXPECT_EQ(shown(), "Number of APs with WEP : 1\nNumber of APs without WEP : 1\n"
                       "Number of AdHoc peers : 0\nNumber of filterd APs : 0\n"
                       "Number of Waypoints: 2\nNumber of Tracklogs: 1\n"
                       "Number of Trackpoints: 2\noff on off ");
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(std::tuple(state.data.WptName[1], state.data.WptName[2], state.data.TrkName[1]),
              std::tuple("c2e140", "ddeeff", "home"));
    EXPECT_EQ(state.skipped, (std::vector<std::pair<std::string, int64_t>>{
                                 {"rows of radios other than Wi-Fi", 1}}));

    const std::string broken = folder.write("broken.csv", "WigleWifi-1.4\nno,columns\n");
    window.m_settings.SummaryFilePath = broken;
    EXPECT_EQ(convert(), ConvertOutcome::NotASurvey);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text,
              "The survey could not be read:\r\n" + broken +
                  "\r\nHas no WiGLE column line (no MAC column in line 2)");
    EXPECT_EQ(state.data.WptCount, 2);
}

} // namespace
} // namespace wavemark
