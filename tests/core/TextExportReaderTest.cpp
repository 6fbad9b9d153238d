#include "TextExportReader.h"

#include "ExportText.h"
#include "SameBytes.h"
#include "TempFolder.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace wavemark {
namespace {

using test::ApLine;
using test::DateLine;
using test::ExportText;
using test::SameBytes;

class ProgressLog : public TrackProgress {
public:
    void readingPassDone() override { steps.push_back("read"); }
    void trackPointCountChanged(int32_t count) override { step("p", count); }
    void trackCountChanged(int32_t count) override { step("t", count); }
    // Appended, not prepended: GCC 12 warns of a false overlap in the latter.
    void step(std::string kind, int32_t count) { steps.push_back(kind + std::to_string(count)); }
    std::vector<std::string> steps;
};

std::string reading(const std::string& bssid, const std::string& time, const std::string& lat,
                    const std::string& flags = "0001", const std::string& lon = "E 8.5390250") {
    return ApLine{.lat = lat, .lon = lon, .bssid = bssid, .time = time, .flags = flags}.line();
}
const std::string kA = "00:00:00:00:00:0a";
const std::string kB = "00:00:00:00:00:0b";
const std::string kC = "00:00:00:00:00:0c";
const std::string kD = "00:00:00:00:00:0d";

class TextExportReaderTest : public ::testing::Test {
protected:
    // Waypoints for the given BSSIDs, in this order, named after them.
    void summary(const std::vector<std::string>& bssids) {
        data.WptCount = static_cast<int32_t>(bssids.size());
        data.WptBssid = data.WptComment = {""};
        for (const std::string& bssid : bssids) {
            data.WptBssid.push_back("( " + bssid + " )");
            data.WptComment.push_back("name " + bssid.substr(15));
        }
    }
    void read(const std::string& path, const TextReadSizes& sizes = {}) {
        LineStream lines(sizes.block);
        std::string_view firstLine;
        ASSERT_EQ(lines.open(path), 0);
        ASSERT_TRUE(lines.next(firstLine));
        EXPECT_EQ(ReadTextExport(lines, options, colors, data, log, sizes.splitMinimum),
                  TextExportResult::Read);
    }
    void text(const std::vector<std::string>& body) {
        read(folder.write("text.txt", ExportText(body)));
    }

    test::TempFolder folder;
    TrackOptions options{false, 255, 4227072, 2, 5};
    TrackColorGenerator colors;
    ConversionData data;
    ProgressLog log;
};

// Readings without a position, of more than thirteen columns or of another
// BSSID text make no point. The last reading decides a track's class; a
// waypoint with a single reading gets no track, though its point is shown for
// a moment; waypoints sharing a BSSID each get the track. Random colours
// continue one sequence from read to read, which starts from the same state
// in every process.
TEST_F(TextExportReaderTest, TracksFollowWaypointOrderAndPointsFileOrder) {
    summary({kB, kA, kC, kD, kA});
    const std::vector<std::string> body = {
        reading(kA, "10:00:00", "N 1.0", "0011"),
        reading(kB, "10:00:01", "N 2.0"),
        reading(kA, "10:00:01", "N 9.0") + "\tx\ty\tz",
        reading(kA, "10:00:01", "N 0.0000000", "0001", "E 0.0000000"),
        reading("00:00:00:00:00:0A", "10:00:01", "N 9.0"),
        reading("00:00:00:00:00:0e", "10:00:01", "N 9.0"),
        "not a reading",
        reading(kA, "10:00:02", "N 3.0"),
        reading(kB, "10:00:03", "N 4.0"),
        reading(kC, "10:00:04", "N 6.0"),
        reading(kB, "10:00:04", "N 5.0", "0031")};
    text(body);
    EXPECT_EQ(log.steps, (std::vector<std::string>{"read", "p1", "p2", "p3", "t1", "p4", "p5", "t2",
                                                   "p6", "p5", "p5", "p6", "p7", "t3"}));
    ASSERT_EQ(data.TrkCount, 3);
    ASSERT_EQ(data.TrkPointCount, 7);
    EXPECT_EQ(std::vector<double>(data.TptLat.begin() + 1, data.TptLat.end()),
              (std::vector<double>{2.0, 4.0, 5.0, 1.0, 3.0, 1.0, 3.0}));
    EXPECT_EQ(std::vector<int32_t>(data.TptTrack.begin(), data.TptTrack.end()),
              (std::vector<int32_t>{0, 1, 1, 1, 2, 2, 3, 3}));
    EXPECT_EQ(data.TrkName, (std::vector<std::string>{"", "name 0b", "name 0a", "name 0a"}));
    EXPECT_EQ(data.TptTime[1], 450352801);
    EXPECT_EQ(data.TptAltitude[1], 70.0f);
    EXPECT_EQ(data.TrkColor, (std::vector<int32_t>{0, 4227072, 255, 255}));
    EXPECT_EQ(data.TrkLineStyle, (std::vector<int16_t>{0, 5, 2, 2}));

    options.TChangeColors = true;
    text(body);
    EXPECT_EQ(data.TrkColor, (std::vector<int32_t>{0, 11698947, 8844903, 9609215}));
    text(body);
    EXPECT_EQ(data.TrkColor[1], 4801343);
}

// `text` with its CR LF line ends replaced by `ends`, taken in turn.
std::string withLineEnds(std::string_view text, const std::vector<std::string>& ends) {
    std::string result;
    for (size_t line = 0, at; (at = text.find("\r\n")) != std::string_view::npos; ++line) {
        result.append(text.substr(0, at)).append(ends[line % ends.size()]);
        text.remove_prefix(at + 2);
    }
    return result;
}

// The date in force at the end, then each trackpoint's track, latitude and
// time.
std::string tracksText(const ConversionData& data) {
    std::string text = data.LogDate + "\n";
    for (size_t p = 1; p < data.TptTrack.size(); ++p) {
        text += std::to_string(data.TptTrack[p]) + " " + std::to_string(data.TptLat[p]) + " " +
                std::to_string(data.TptTime[p]) + "\n";
    }
    return text;
}

// Large text exports are read in blocks, each split between two threads at
// the first LF past its middle. A small one read in blocks of a few bytes
// meets every case: blocks that end just before or just after a line-end
// byte, and blocks of half that size, put a block edge between the CR and LF
// of each pair and on both sides of each line, and a split after each line
// below the header that ends in LF and is not the last. Whatever ends the
// lines, the same readings must come out, dated by the same date lines.
TEST_F(TextExportReaderTest, BlockEdgesAndSplitsLoseNoLineAndNoDate) {
    summary({kA, kB});
    std::vector<std::string> body;
    std::string points[2];
    for (int i = 0; i < 8; ++i) {
        // Thirteen columns are still read.
        body.push_back(reading(i % 2 ? kB : kA, "10:00:00", "N " + std::to_string(i)) +
                       (i == 0 ? "\tx\ty" : ""));
        const int day = (i + 1) / 3; // 0 is 2004-01-01
        if (i == 1) {
            body.push_back(DateLine("2004-02-01")); // replaced by the next line
        }
        if (i % 3 == 1) {
            body.push_back(DateLine("2004-01-0" + std::to_string(day + 2)));
        }
        points[i % 2] += std::to_string(i % 2 + 1) + " " + std::to_string(i) + ".000000 " +
                         std::to_string(441885600 + day * 86400) + "\n";
    }
    const std::string text = ExportText(body, "2004-01-01");
    // The mixed ends put a date line after a lone CR and end date lines in
    // each kind.
    const std::pair<const char*, std::vector<std::string>> variants[] = {
        {"CR LF", {"\r\n"}}, {"LF", {"\n"}}, {"CR", {"\r"}}, {"mixed", {"\r", "\n", "\r\n"}}};
    for (const auto& [name, ends] : variants) {
        const std::string bytes = withLineEnds(text, ends);
        const std::string path = folder.write("text.txt", bytes);
        for (size_t at = 0; at < bytes.size(); ++at) {
            if (bytes[at] != '\r' && bytes[at] != '\n') {
                continue;
            }
            for (const size_t block : {at, at + 1, (at + 1) / 2}) {
                read(path, {.block = block, .splitMinimum = 1});
                ASSERT_TRUE(SameBytes("2004-01-04\n" + points[0] + points[1], tracksText(data)))
                    << name << " line ends, " << block << "-byte blocks";
            }
        }
    }
}

} // namespace
} // namespace wavemark
