#include "convert/Tracks.h"
#include "convert/ConversionSink.h"

#include "ExportText.h"
#include "SameBytes.h"
#include "TempFolder.h"
#include "survey/netstumbler/TextExportReader.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace wavemark {
namespace {

using test::ApLine;
using test::DateLine;
using test::ExportText;
using test::SameBytes;

// The progress shown, as "read p1 t1 ".
class ProgressLog : public TrackProgress {
public:
    void readingPassDone() override { steps += "read "; }
    void trackPointCountChanged(int32_t count) override { step('p', count); }
    void trackCountChanged(int32_t count) override { step('t', count); }
    void step(char kind, int32_t count) { (steps += kind) += std::to_string(count) + ' '; }
    std::string steps;
};

std::string reading(const std::string& bssid, const std::string& time, const std::string& lat,
                    const std::string& flags = "0001", const std::string& lon = "E 8.5390250") {
    return ApLine{.lat = lat, .lon = lon, .bssid = bssid, .time = time, .flags = flags}.line();
}
const std::string kA = "00:00:00:00:00:0a";
const std::string kB = "00:00:00:00:00:0b";
const std::string kC = "00:00:00:00:00:0c";
const std::string kD = "00:00:00:00:00:0d";

// `text` with its CR LF line ends replaced by `ends`, taken in turn.
std::string withLineEnds(std::string_view text, const std::vector<std::string>& ends) {
    std::string result;
    for (size_t line = 0, at; (at = text.find("\r\n")) != std::string_view::npos; ++line) {
        result.append(text.substr(0, at)).append(ends[line % ends.size()]);
        text.remove_prefix(at + 2);
    }
    return result;
}

class TracksTest : public ::testing::Test {
protected:
    // Waypoints for the given BSSIDs, in this order, named after them.
    void summary(const std::vector<std::string>& bssids) {
        data.WptCount = static_cast<int32_t>(bssids.size());
        data.WptBssid = data.WptComment = {""};
        data.WptClass.assign(bssids.size() + 1, NetworkClass::Open);
        for (const std::string& bssid : bssids) {
            data.WptBssid.push_back("( " + bssid + " )");
            data.WptComment.push_back("name " + bssid.substr(15));
        }
    }
    void read(const std::string& path, const ReadSizes& sizes = {}) {
        LineStream lines(sizes.block);
        ASSERT_EQ(lines.open(path), 0);
        log.steps.clear();
        ConversionSink sink({});
        sink.wantReadingsOfWaypoints(data);
        ASSERT_TRUE(ReadTextExport(lines, sink, sizes.splitMinimum).none());
        data.LogDate = sink.takeLogDate();
        skipped = sink.skipped();
        EXPECT_EQ(MakeTracks(sink.takeGroupsOfWaypoints(data), sink.groupedReadings(), options,
                             colors, data, log),
                  TracksOutcome::Made);
    }
    // The date in force at the end, the lines left out, each track's first point, name, colour
    // and line style, each trackpoint's latitude, time and signal, and the
    // progress.
    std::string result() const {
        std::ostringstream out;
        out << data.LogDate << '\n';
        for (const auto& [reason, count] : skipped) {
            out << reason << ' ' << count << '\n';
        }
        for (size_t t = 1; t < data.TrkName.size(); ++t) {
            out << data.TrkFirstPoint[t] << ' ' << data.TrkName[t] << ' ' << data.TrkColor[t] << ' '
                << data.TrkLineStyle[t] << '\n';
        }
        for (size_t p = 1; p < data.TptLat.size(); ++p) {
            out << data.TptLat[p] << ' ' << data.TptTime[p] << ' ' << data.TptSignal[p] << '\n';
        }
        return out.str() + log.steps;
    }

    test::TempFolder folder;
    TrackOptions options{false, 255, 4227072, 2, 5};
    TrackColorGenerator colors;
    ConversionData data;
    ProgressLog log;
    LeftOutCounts skipped;
};

// Readings without a position, of more than thirteen columns or of another
// BSSID text make no point; thirteen columns are still read. Lines that are
// no readings, but for comments and blank lines, are counted, in both halves
// of a block. The last reading decides a track's class; a waypoint with a
// single reading gets no track, though its point is shown for a moment, and
// the next track's points follow the last track's; waypoints sharing a BSSID
// each get the track. Date lines date the readings below them, the last one
// the survey.
//
// Blocks go to the reader's helper thread and come back in order, each read
// under the date in force before it. Blocks ending just before or after
// each line-end byte, and of half that size, put a block edge inside each
// CR LF pair, on both sides of each line and of each date line. Whatever
// ends the lines, the same comes out.
TEST_F(TracksTest, TracksFollowWaypointOrderAndPointsFileOrderInAnyBlocks) {
    summary({kB, kA, kC, kD, kA});
    const std::string text = ExportText(
        {reading(kA, "10:00:00", "N 1", "0011") + "\tx\ty", reading(kB, "10:00:01", "N 2"),
         DateLine("2004-02-01"), // dates no reading
         reading(kA, "10:00:01", "N 9") + "\tx\ty\tz", DateLine("2004-04-09"),
         reading(kA, "10:00:01", "N 0.0000000", "0001", "E 0.0000000"),
         reading("00:00:00:00:00:0A", "10:00:01", "N 9"),
         reading("00:00:00:00:00:0e", "10:00:01", "N 9"), reading(kA, "10:00:02", "N 3"),
         DateLine("2004-04-10"), "not a reading", "# a comment", "", reading(kB, "10:00:03", "N 4"),
         reading(kC, "10:00:04", "N 6"), reading(kB, "10:00:04", "N 5", "0031"),
         DateLine("2004-04-11")});
    const std::string expected =
        "2004-04-11\nmalformed lines 2\n1 name 0b 4227072 5\n4 name 0a 255 2\n"
        "6 name 0a 255 2\n"
        "2 450352801 70\n4 450525603 70\n5 450525604 70\n"
        "1 450352800 70\n3 450439202 70\n"
        "1 450352800 70\n3 450439202 70\n"
        "read p1 p2 p3 t1 p4 p5 t2 p6 p5 p5 p6 p7 t3 ";
    // The mixed ends put a date line after a lone CR and end them in each kind.
    const std::pair<const char*, std::vector<std::string>> variants[] = {
        {"CR LF", {"\r\n"}}, {"LF", {"\n"}}, {"CR", {"\r"}}, {"mixed", {"\n", "\r", "\r\n"}}};
    std::string path;
    for (const auto& [name, ends] : variants) {
        const std::string bytes = withLineEnds(text, ends);
        path = folder.write("text.txt", bytes);
        for (size_t at = 0; at < bytes.size(); ++at) {
            if (bytes[at] != '\r' && bytes[at] != '\n') {
                continue;
            }
            for (const size_t block : {at, at + 1, (at + 1) / 2}) {
                read(path, {.block = block, .splitMinimum = 1});
                ASSERT_TRUE(SameBytes(expected, result()))
                    << name << " line ends, " << block << "-byte blocks";
            }
        }
    }

    // Each waypoint knows its track; those with one reading or none have none.
    EXPECT_EQ(data.WptTrack, (std::vector<int32_t>{0, 1, 2, 0, 0, 3}));

    // A track takes its last reading's class, unless its network is ad-hoc.
    using enum NetworkClass;
    EXPECT_EQ(data.TrkClass, (std::vector<NetworkClass>{Open, Protected, Open, Open}));
    data.WptClass[1] = AdHoc;
    read(path);
    EXPECT_EQ(data.TrkClass, (std::vector<NetworkClass>{Open, AdHoc, Open, Open}));

    // Random colours continue one sequence from read to read, which starts
    // from the same state in every process.
    options.TChangeColors = true;
    read(path);
    EXPECT_EQ(data.TrkColor, (std::vector<int32_t>{0, 11698947, 8844903, 9609215}));
    read(path);
    EXPECT_EQ(data.TrkColor[1], 4801343);
}

// Line 4 is the date line whatever its tag says: without it no reading
// would have a date, and none would make a point.
TEST_F(TracksTest, LineFourDatesTheReadingsBelowItWithoutItsTag) {
    summary({kA});
    std::string text = ExportText({reading(kA, "10:00:00", "N 1"), reading(kA, "10:00:01", "N 2")});
    text.replace(text.find("# $DateGMT:"), 11, "# $Written:");
    read(folder.write("text.txt", text));
    EXPECT_EQ(result(), "2004-04-08\n1 name 0a 255 2\n1 450352800 70\n2 450352801 70\n"
                        "read p1 p2 t1 ");
}

// Waypoints carry their BSSIDs and the log its date as UTF-8; the text export's Windows-1252
// bytes meet them.
TEST_F(TracksTest, TextsBeyondAsciiAreReadAsUtf8) {
    summary({"00:0b:86:c2:e1:\xC3\xA9"});
    const std::string bssid = "00:0b:86:c2:e1:\xE9";
    read(folder.write("text.txt",
                      ExportText({reading(bssid, "10:00:00", "N 1"),
                                  reading(bssid, "10:00:01", "N 2"), DateLine("r\xE9sum\xE9")})));
    EXPECT_EQ(data.TrkPointCount, 2);
    EXPECT_EQ(data.LogDate, "r\xC3\xA9sum\xC3\xA9");
}

// Where an earlier run left longer lists of other values, the lists are made anew, slot 0 too:
// two conversions of one input compare equal.
TEST_F(TracksTest, ListsOfAnEarlierRunAreReplacedSlotZeroToo) {
    data.TptLat = data.TptLon = ScatterList<double>(9, 7.0);
    data.TptTime = ScatterList<int32_t>(9, 7);
    data.TptSignal.assign(9, 7.0f);
    data.TrkFirstPoint.assign(9, 7);
    summary({kA});
    read(folder.write(
        "text.txt", ExportText({reading(kA, "10:00:00", "N 1"), reading(kA, "10:00:01", "N 2")})));
    EXPECT_EQ(data.TptLat, (ScatterList<double>{0, 1, 2}));
    EXPECT_EQ(data.TptLon, (ScatterList<double>{0, 8.539025, 8.539025}));
    EXPECT_EQ(data.TptTime, (ScatterList<PackedTime>{0, 450352800, 450352801}));
    EXPECT_EQ(data.TptSignal, (ScatterList<float>{0, 70, 70}));
    EXPECT_EQ(data.TrkFirstPoint, (std::vector<int32_t>{0, 1}));
}

} // namespace
} // namespace wavemark
