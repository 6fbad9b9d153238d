#include "maps/MapFile.h"

#include "RecordingWindow.h"
#include "SameBytes.h"
#include "SmallMap.h"
#include "TempFolder.h"
#include "maps/gtm/GtmRecords.h"
#include "survey/SurveyTime.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace wavemark {
namespace {

// Bytes from a readable hex text such as "D3 00 | 54 72".
std::string bytes(std::string_view hex) {
    std::string out;
    std::istringstream in{std::string(hex)};
    for (std::string token; in >> token;) {
        if (token != "|") {
            out.push_back(static_cast<char>(std::stoi(token, nullptr, 16)));
        }
    }
    return out;
}

class GtmWriterTest : public ::testing::Test {
protected:
    std::string write() {
        EXPECT_EQ(
            WriteMapFile(data, DefaultMapFormat(), folder.file("out.gtm"), {}, window, window),
            WriteOutcome::Written);
        return test::ReadBytes(folder.file("out.gtm"));
    }

    test::TempFolder folder;
    test::RecordingWindow window;
    ConversionData data = test::SmallMap();
};

TEST_F(GtmWriterTest, SmallSurveyByteForByte) {
    const std::string header =
        bytes("D3 00 | 54 72 61 63 6B 4D 61 6B 65 72 | 00 00 08 00 00 00 00 | 00 00 00 00 | "
              "FF FF FF 00 | 01 00 00 00 | 00 00 00 00 | 01 00 00 00 | 02 00 00 00 | 00 00 00 00 "
              "| 00 00 04 41 | 00 00 04 41 | 00 00 3E 42 | 00 00 3E 42 | 00 00 00 00 | "
              "01 00 00 00 | 00 00 00 00 | 00 00 00 00 | FF FF FF FF") +
        std::string(16, '\0') +
        bytes("0F 00 | 54 69 6D 65 73 20 4E 65 77 20 52 6F 6D 61 6E | 00 00 00 00 00 00");
    const std::string waypoint =
        bytes("00 00 00 00 00 C0 47 40 | 00 00 00 00 00 80 20 40 | 63 32 65 31 34 30 20 20 20 20 | "
              "05 00 68 65 6C 6C 6F | 8D 00 | 04 | F0 FA D7 1A | 00 00 | 00 00 8C 42 | 00 00");
    const std::string style =
        bytes("F4 FF FF FF | 05 00 41 72 69 61 6C | 00 | FF 00 00 00 | BC 02 00 00 | 00 00 00 00 "
              "| 8B | FF FF | FF FF 00 00 | 00 | 01 | 00 | 01");
    const std::string trackpoints =
        bytes("00 00 00 00 00 C0 47 40 | 00 00 00 00 00 80 20 40 | F0 FA D7 1A | 01 | 00 00 8C 42 "
              "| 00 00 00 00 00 C0 47 40 | 00 00 00 00 00 80 20 40 | F1 FA D7 1A | 00 | "
              "00 D4 FE C6");
    const std::string track = bytes("02 00 61 62 | 02 | 00 80 40 00 | 00 00 00 00 | 00 | 00 00");

    const std::string datum = std::string(34, '\0') + bytes("D9 00") + std::string(22, '\0');
    EXPECT_EQ(header.size(), GtmHeader::kSize);
    EXPECT_EQ(datum.size(), GtmDatum::kSize);
    EXPECT_TRUE(test::SameBytes(header + datum + waypoint + style + trackpoints + track, write()));
}

// UTF-8 texts become Windows-1252 bytes, "?" for what the code page lacks; times GTM cannot hold,
// before 1989-12-31 or 2^31 seconds after it, or none at all, are written as GTM's "no time", 0.
TEST_F(GtmWriterTest, TextsAndTimesInGtmsOwnForms) {
    data.WptComment = {
        "", "Caf\xC3\xA9 \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x90\x8D \xE2\x82\xAC\xC2\x81"};
    data.TrkName = {"", "\xC3\xBF"};
    const std::vector<std::pair<int64_t, std::string>> times{
        {kNoTime, "00 00 00 00"},    {631065599, "00 00 00 00"},  {631065601, "01 00 00 00"},
        {2778549247, "FF FF FF 7F"}, {2778549248, "00 00 00 00"}, {0, "00 00 00 00"}};
    for (const auto& [time, gtm] : times) {
        data.WptTime[1] = data.TptTime[2] = PackTime(time);
        const std::string file = write();
        EXPECT_EQ(file.substr(180 + 26, 2 + 12),
                  bytes("0C 00 43 61 66 E9 20 3F 3F 20 3F 20 80 81"));
        EXPECT_EQ(file.substr(180 + 26 + 14 + 3, 4), bytes(gtm)) << time;
        EXPECT_EQ(file.substr(file.size() - 15 - 25 + 16, 4), bytes(gtm)) << time;
        EXPECT_EQ(file.substr(file.size() - 15, 3), bytes("01 00 FF"));
    }
}

// Long texts are cut to the signed length; counts stand where their records are left out.
TEST_F(GtmWriterTest, LongTextsAreCutAndCountsStandWithoutTheirRecords) {
    data.WptComment = {"", std::string(40000, 'x')};
    std::string file = write();
    EXPECT_EQ(file.substr(180 + 26, 2), bytes("FF 7F"));
    EXPECT_EQ(file.size(), 180u + 43 + 32767 + 35 + 50 + 16);
    data.WptCount = 0;
    data.TrkPointCount = 0;
    file = write();
    EXPECT_EQ(file.size(), 180u);
    EXPECT_EQ(file.substr(27, 4), bytes("01 00 00 00"));
    EXPECT_EQ(file.substr(67, 4), bytes("01 00 00 00"));
}

// Each track's first point, and only that, carries the new-track flag.
TEST_F(GtmWriterTest, NewTrackFlagsOnEachTracksFirstPoint) {
    data.TrkCount = 3;
    data.TrkName = {"", "a", "b", "c"};
    data.TrkLineStyle = {0, 1, 1, 1};
    data.TrkColor = {0, 0, 0, 0};
    data.TrkScale = {0, 0, 0, 0};
    data.TrkFirstPoint = {0, 1, 3, 6};
    data.TrkPointCount = 7;
    data.TptLat = data.TptLon = ScatterList<double>(8, 47.5);
    data.TptTime = ScatterList<PackedTime>(8, 0);
    data.TptSignal = ScatterList<float>(8, 0);
    const std::string file = write();
    std::string flags;
    // Seven 25-byte points, then three 15-byte tracks; a point's flag is its 21st byte.
    for (size_t p = 0; p < 7; ++p) {
        flags += static_cast<char>('0' + file[file.size() - 3 * 15 - 7 * 25 + p * 25 + 20]);
    }
    EXPECT_EQ(flags, "1010010");
}

} // namespace
} // namespace wavemark
