#include "TextExportReader.h"

#include "ExportText.h"
#include "SummaryReader.h"
#include "TempFolder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace wavemark {
namespace {

using test::ApLine;
using test::DateLine;
using test::ExportText;
using test::LinesOf;

class ProgressLog : public TrackProgress, public SummaryCountListener {
public:
    void readingPassDone() override { steps.push_back("read"); }
    void trackPointCountChanged(int32_t count) override { record('p', count); }
    void trackCountChanged(int32_t count) override { record('t', count); }
    void countersReady(const ConversionData&) override {}
    std::vector<std::string> steps;

private:
    void record(char kind, int32_t count) {
        steps.push_back(std::string(1, kind).append(std::to_string(count)));
    }
};

std::string reading(const std::string& bssid, const std::string& time, const std::string& lat,
                    const std::string& flags = "0001", const std::string& lon = "E 8.5390250") {
    ApLine line = test::MakeAp(bssid, flags, "net", time);
    line.lat = lat;
    line.lon = lon;
    return line.line();
}
const std::string kA = "00:00:00:00:00:0a";
const std::string kB = "00:00:00:00:00:0b";
const std::string kC = "00:00:00:00:00:0c";

class TextExportReaderTest : public ::testing::Test {
protected:
    // Waypoints for the given BSSIDs, in this order, named after them.
    void summary(const std::vector<std::string>& bssids) {
        std::vector<std::string> body;
        for (const std::string& bssid : bssids) {
            ApLine line;
            line.bssid = bssid;
            line.ssid = std::string(" name ").append(bssid.substr(15)).append(" ");
            body.push_back(line.line());
        }
        ReadSummary(LinesOf(ExportText(body)), SummaryOptions{"", false, 141, 44, 4, 3}, data, log);
    }
    void text(const std::vector<std::string>& body, const std::string& date = "2004-04-08") {
        test::TempFolder folder;
        LineStream lines;
        std::string_view firstLine;
        ASSERT_EQ(lines.open(folder.write("text.txt", ExportText(body, date))), 0);
        ASSERT_TRUE(lines.next(firstLine));
        EXPECT_EQ(ReadTextExport(lines, options, colors, data, log), TextExportResult::Read);
    }
    std::vector<int32_t> trackOfPoints() const {
        return {data.TptTrack.begin() + 1, data.TptTrack.end()};
    }
    std::vector<double> latitudes() const { return {data.TptLat.begin() + 1, data.TptLat.end()}; }

    TrackOptions options{false, 255, 4227072, 2, 5};
    TrackColorGenerator colors;
    ConversionData data;
    ProgressLog log;
};

TEST_F(TextExportReaderTest, TracksFollowWaypointOrderAndPointsFileOrder) {
    summary({kB, kA});
    text({reading(kA, "10:00:00", "N 1.0"), reading(kB, "10:00:01", "N 2.0"),
          reading(kA, "10:00:02", "N 3.0"), reading(kB, "10:00:03", "N 4.0"),
          reading(kB, "10:00:04", "N 5.0")});

    ASSERT_EQ(data.TrkCount, 2);
    ASSERT_EQ(data.TrkPointCount, 5);
    EXPECT_EQ(latitudes(), (std::vector<double>{2.0, 4.0, 5.0, 1.0, 3.0}));
    EXPECT_EQ(trackOfPoints(), (std::vector<int32_t>{1, 1, 1, 2, 2}));
    EXPECT_EQ(data.TptTrack[0], 0);
    EXPECT_EQ(data.TrkName[1], "name 0b");
    EXPECT_EQ(data.TrkName[2], "name 0a");
    EXPECT_EQ(data.TptTime[1], 450352801);
    EXPECT_EQ(data.TptAltitude[1], 70.0f);
    EXPECT_EQ(data.TrkScale[1], 0.0f);
}

TEST_F(TextExportReaderTest, ReportsEveryDisplayPoint) {
    summary({kA, kB, kC});
    text({reading(kA, "10:00:00", "N 1.0"), reading(kB, "10:00:01", "N 2.0"),
          reading(kA, "10:00:02", "N 3.0")});
    EXPECT_EQ(log.steps, (std::vector<std::string>{"read", "p1", "p2", "t1", "p3", "p2", "p2"}));
    EXPECT_EQ(data.TrkPointCount, 2);
}

TEST_F(TextExportReaderTest, ReadingsWithoutPositionOrMatchMakeNoPoint) {
    summary({kA});
    text({reading(kA, "10:00:00", "N 1.0"),
          reading(kA, "10:00:01", "N 360.0000000", "0001", "E 720.0000000"),
          reading(kA, "10:00:02", "N 0.0000000", "0001", "E 0.0000000"),
          reading("00:00:00:00:00:0A", "10:00:03", "N 2.0"), reading(kB, "10:00:04", "N 3.0"),
          "not a reading"});
    EXPECT_EQ(data.TrkCount, 0);
    EXPECT_EQ(data.TrkPointCount, 0);
}

TEST_F(TextExportReaderTest, DateLinesMoveTheDay) {
    summary({kA});
    text({reading(kA, "23:59:59", "N 1.0"), DateLine("2004-04-09"),
          reading(kA, "00:00:01", "N 2.0")});
    ASSERT_EQ(data.TrkPointCount, 2);
    EXPECT_EQ(data.TptTime[2] - data.TptTime[1], 2);
    EXPECT_EQ(data.LogDate, "2004-04-09");
}

// A text export of several megabytes is read in blocks, each by two threads:
// the date in force must follow the lines across every block and half.
TEST_F(TextExportReaderTest, DateLinesMoveTheDayAcrossBlocks) {
    summary({kA});
    std::vector<std::string> body;
    std::vector<int32_t> days;
    for (int i = 0; i < 30000; ++i) {
        body.push_back(reading(kA, "10:00:00", "N 1.0"));
        days.push_back(i / 1000);
        if (i % 1000 == 999) {
            body.push_back(DateLine("2004-01-" + std::to_string(i / 1000 + 2)));
        }
    }
    text(body, "2004-01-01");
    ASSERT_EQ(data.TrkPointCount, 30000);
    std::vector<int32_t> daysRead;
    for (size_t p = 1; p < data.TptTime.size(); ++p) {
        daysRead.push_back((data.TptTime[p] - data.TptTime[1]) / 86400);
    }
    EXPECT_EQ(daysRead, days);
    EXPECT_EQ(data.LogDate, "2004-01-31");
}

TEST_F(TextExportReaderTest, LastReadingDecidesTheClass) {
    summary({kA, kB, kC});
    text({reading(kA, "10:00:00", "N 1.0", "0011"), reading(kA, "10:00:01", "N 1.0", "0001"),
          reading(kB, "10:00:02", "N 1.0", "0001"), reading(kB, "10:00:03", "N 1.0", "0011"),
          reading(kC, "10:00:04", "N 1.0", "0001"), reading(kC, "10:00:05", "N 1.0", "0031")});
    ASSERT_EQ(data.TrkCount, 3);
    EXPECT_EQ(data.TrkColor[1], 255);
    EXPECT_EQ(data.TrkLineStyle[1], 2);
    EXPECT_EQ(data.TrkColor[2], 4227072);
    EXPECT_EQ(data.TrkLineStyle[2], 5);
    EXPECT_EQ(data.TrkColor[3], 4227072);
}

TEST_F(TextExportReaderTest, RandomColoursContinueTheProcessSequence) {
    options.TChangeColors = true;
    summary({kA, kB});
    const std::vector<std::string> body = {
        reading(kA, "10:00:00", "N 1.0"), reading(kA, "10:00:01", "N 1.0"),
        reading(kB, "10:00:02", "N 1.0"), reading(kB, "10:00:03", "N 1.0")};
    text(body);
    TrackColorGenerator fresh;
    EXPECT_EQ(data.TrkColor[1], fresh.next());
    EXPECT_EQ(data.TrkColor[2], fresh.next());
    text(body);
    EXPECT_EQ(data.TrkColor[1], fresh.next());
}

TEST_F(TextExportReaderTest, WaypointsSharingABssidEachGetTheTrack) {
    summary({kA, kA});
    text({reading(kA, "10:00:00", "N 1.0"), reading(kA, "10:00:01", "N 2.0")});
    EXPECT_EQ(data.TrkCount, 2);
    EXPECT_EQ(trackOfPoints(), (std::vector<int32_t>{1, 1, 2, 2}));
}

TEST_F(TextExportReaderTest, NoWaypointMeansNoTrack) {
    text({reading(kA, "10:00:00", "N 1.0"), reading(kA, "10:00:01", "N 2.0")});
    EXPECT_EQ(data.TrkCount, 0);
    EXPECT_EQ(data.TrkPointCount, 0);
    EXPECT_EQ(data.TrkName.size(), 1u);
}

TEST_F(TextExportReaderTest, LinesOfMoreThanThirteenColumnsAreSkipped) {
    summary({kA});
    const std::string line = reading(kA, "10:00:00", "N 1.0");
    text({line + "\tx\ty", line + "\tx\ty", line + "\tx\ty\tz"});
    EXPECT_EQ(data.TrkPointCount, 2);
}

TEST(TrackColorGenerator, StartsFromTheSameStateInEveryProcess) {
    TrackColorGenerator colors;
    EXPECT_EQ(colors.next(), 11698947);
    EXPECT_EQ(colors.next(), 8844903);
    EXPECT_EQ(colors.next(), 9609215);
    for (int i = 0; i < 100000; ++i) {
        const int32_t colour = colors.next();
        ASSERT_GE(colour, 0);
        ASSERT_LT(colour, 16581375);
    }
}

} // namespace
} // namespace wavemark
