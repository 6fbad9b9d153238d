#include "survey/ns1/Ns1Reader.h"

#include "Ns1Bytes.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

namespace wavemark {
namespace {

using test::Ns1Bytes;
using test::Ns1Record;
using test::Ns1Sample;

constexpr uint64_t kSecond = 10'000'000;               // FILETIME ticks
constexpr uint64_t kApril22 = 127'270'656'000'000'000; // 2004-04-22 00:00:00
constexpr int32_t kApril22Gtm = 451'526'400;

SurveyProblem readNs1(const test::TempFolder& folder, const std::string& bytes, Survey& survey,
                      size_t blockSize = kNs1BlockSize) {
    ByteStream stream;
    EXPECT_EQ(stream.open(folder.write("log.ns1", bytes)), 0);
    return ReadNs1(stream, survey, blockSize);
}

SurveyProblem readNs1(const std::string& bytes, Survey& survey, size_t blockSize = kNs1BlockSize) {
    return readNs1(test::TempFolder(), bytes, survey, blockSize);
}

using ApRow =
    std::tuple<std::string, std::string, bool, double, double, int32_t, float, Protection, bool>;
std::vector<ApRow> accessPoints(const Survey& survey) {
    std::vector<ApRow> rows;
    for (const AccessPoint& ap : survey.accessPoints.accessPoints) {
        rows.emplace_back(ap.networkName, ap.bssid, ap.hasPosition, ap.lat, ap.lon, ap.time,
                          ap.signal, ap.protection, ap.adHoc);
    }
    return rows;
}

using ReadingRow = std::tuple<int32_t, double, double, int32_t, float>;
std::vector<ReadingRow> readings(const Survey& survey) {
    std::vector<ReadingRow> rows;
    const Readings& r = survey.readings;
    for (size_t i = 0; i < r.group.size(); ++i) {
        rows.emplace_back(r.group[i], r.lat[i], r.lon[i], r.time[i], r.signal[i]);
    }
    return rows;
}

// A protected access point with a position, heard four times (once without
// GPS data, once at 0 / 0, once as its signal was lost), and an ad-hoc peer
// without a position whose one reading falls on the next day but one.
Ns1Bytes twoAccessPoints(uint32_t version) {
    Ns1Bytes log(version);
    log.add({.ssid = " linksys ",
             .maxSignal = -68,
             .flags = 0x0011,
             .firstSeen = kApril22 + 5 * kSecond,
             .bestLat = 47.377015,
             .bestLong = 8.539025,
             .samples = {{kApril22 + 5 * kSecond, -70, 1, 47.377015, 8.539025},
                         {kApril22 + 6 * kSecond, -68, 0},
                         {kApril22 + 7 * kSecond, -32767, 1, 47.3771, 8.5391},
                         {kApril22 + 8 * kSecond, -69, 1, 0.0, 0.0}},
             .name = "office",
             .elements = std::string("\0\7linksys", 9)});
    log.add({.ssid = "",
             .bssid = {0x02, 0x1c, 0x4a, 0x00, 0x00, 0x01},
             .maxSignal = -80,
             .flags = 0x0002,
             .firstSeen = kApril22 + (2 * 86400 - 1) * kSecond,
             .samples = {{kApril22 + (2 * 86400 + 1) * kSecond, -81, 1, -33.4489, -70.6693}}});
    return log;
}

class EachVersion : public testing::TestWithParam<uint32_t> {};

// Signal levels read as the exports print them (dBm + 149); the flags as the
// exports' flag column shows them; readings only where GPS data gives a
// position; the log dated by its latest sample.
TEST_P(EachVersion, GivesWhatTheExportsGive) {
    Survey survey;
    ASSERT_TRUE(readNs1(twoAccessPoints(GetParam()).bytes(), survey).none());
    EXPECT_EQ(accessPoints(survey),
              (std::vector<ApRow>{{"linksys", "( 00:0b:86:c2:e1:40 )", true, 47.377015, 8.539025,
                                   kApril22Gtm + 5, 81.0f, Protection::Protected, false},
                                  {"", "( 02:1c:4a:00:00:01 )", false, 0.0, 0.0,
                                   kApril22Gtm + 172799, 69.0f, Protection::Open, true}}));
    EXPECT_EQ(readings(survey),
              (std::vector<ReadingRow>{{0, 47.377015, 8.539025, kApril22Gtm + 5, 79.0f},
                                       {0, 47.3771, 8.5391, kApril22Gtm + 7, -32618.0f},
                                       {1, -33.4489, -70.6693, kApril22Gtm + 172801, 68.0f}}));
    EXPECT_EQ(survey.readings.countOfGroup, (std::vector<int32_t>{2, 1}));
    EXPECT_EQ(survey.readings.lastProtectionOfGroup,
              (std::vector<Protection>{Protection::Protected, Protection::Open}));
    EXPECT_EQ(survey.groupOfBssid.at("( 02:1c:4a:00:00:01 )"), 1);
    EXPECT_EQ(survey.accessPoints.logDate, "2004-04-24");
    EXPECT_TRUE(survey.skipped.empty());
}

INSTANTIATE_TEST_SUITE_P(Ns1Reader, EachVersion, testing::Values(6u, 8u, 11u, 12u));

// Version 1 holds neither times nor positions nor samples: every access point
// stands at the GTM epoch without a position. Both readings of its layout are
// told apart by where their records end.
TEST(Ns1Reader, ReadsVersion1WithAndWithoutFlags) {
    for (const bool flags : {true, false}) {
        Ns1Bytes log = twoAccessPoints(1);
        if (!flags) {
            log.withoutFlags();
        }
        Survey survey;
        ASSERT_TRUE(readNs1(log.bytes(), survey).none()) << flags;
        const Protection protection = flags ? Protection::Protected : Protection::Open;
        EXPECT_EQ(
            accessPoints(survey),
            (std::vector<ApRow>{
                {"linksys", "( 00:0b:86:c2:e1:40 )", false, 0.0, 0.0, 0, 81.0f, protection, false},
                {"", "( 02:1c:4a:00:00:01 )", false, 0.0, 0.0, 0, 69.0f, Protection::Open, flags}}))
            << flags;
        EXPECT_EQ(survey.readings.group.size(), 0u);
        EXPECT_EQ(survey.accessPoints.logDate, "1989-12-31");
    }
}

// Where neither reading of version 1 ends exactly at the file's end, the
// one with Flags holds, and the bytes after its records are noted.
TEST(Ns1Reader, PrefersVersion1WithFlagsBeforeTrailingBytes) {
    Survey survey;
    ASSERT_TRUE(readNs1(twoAccessPoints(1).bytes() + "\x05\x05", survey).none());
    ASSERT_EQ(survey.accessPoints.accessPoints.size(), 2u);
    EXPECT_EQ(survey.accessPoints.accessPoints[0].protection, Protection::Protected);
    EXPECT_TRUE(survey.accessPoints.accessPoints[1].adHoc);
    EXPECT_EQ(survey.skipped, (std::vector<std::pair<std::string, int64_t>>{
                                  {"bytes after the last access point of an NS1 file", 2}}));
}

// A sample carries GPS data whenever its location source is not 0 (readers
// of real logs met 3 as well as 1); the next sample follows the data.
TEST(Ns1Reader, TakesGpsDataOfEveryLocationSource) {
    Ns1Record record;
    for (const int32_t source : {1, 3, 2, -1, 0, 1}) {
        record.samples.push_back({kApril22 + static_cast<uint64_t>(record.samples.size()) * kSecond,
                                  -70, source, 47.0 + static_cast<double>(record.samples.size()),
                                  8.5});
    }
    Survey survey;
    ASSERT_TRUE(readNs1(Ns1Bytes(12).add(record).bytes(), survey).none());
    std::vector<std::pair<double, int32_t>> latAndTime;
    for (const auto& row : readings(survey)) {
        latAndTime.emplace_back(std::get<1>(row), std::get<3>(row));
    }
    EXPECT_EQ(latAndTime, (std::vector<std::pair<double, int32_t>>{{47.0, kApril22Gtm},
                                                                   {48.0, kApril22Gtm + 1},
                                                                   {49.0, kApril22Gtm + 2},
                                                                   {50.0, kApril22Gtm + 3},
                                                                   {52.0, kApril22Gtm + 5}}));
}

// The exports print the capability field as at least four hex digits, and the
// conversion reads the third as the protection ('0' open, '1' protected) and
// the fourth as the mode ('2' ad-hoc).
TEST(Ns1Reader, ReadsFlagsAsTheExportsFlagColumn) {
    struct Case {
        uint32_t flags;
        Protection protection;
        bool adHoc;
    };
    const std::vector<Case> cases{
        {0x0001, Protection::Open, false},       {0x0011, Protection::Protected, false},
        {0x0411, Protection::Protected, false},  {0x0031, Protection::Unknown, false},
        {0x0021, Protection::Unknown, false},    {0x0002, Protection::Open, true},
        {0x0012, Protection::Protected, true},   {0x0022, Protection::Unknown, true},
        {0x0003, Protection::Open, false},       {0x0006, Protection::Open, false},
        {0x00f2, Protection::Unknown, true},     {0x10011, Protection::Open, false},
        {0x10102, Protection::Protected, false}, {0x12345678, Protection::Unknown, false},
    };
    for (const Case& c : cases) {
        Survey survey;
        ASSERT_TRUE(readNs1(Ns1Bytes(12).add({.flags = c.flags}).bytes(), survey).none());
        const AccessPoint& ap = survey.accessPoints.accessPoints.at(0);
        EXPECT_EQ(ap.protection, c.protection) << std::hex << c.flags;
        EXPECT_EQ(ap.adHoc, c.adHoc) << std::hex << c.flags;
    }
}

// A position as the exports' conversion takes one: 0 / 0 and anything
// outside -90..90 / -180..180 is none, for the access point and its readings.
TEST(Ns1Reader, TakesPositionsAsTheExportsDo) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<std::tuple<double, double, bool>> cases{
        {47.377015, 8.539025, true}, {0.0, 0.0, false},      {360.0, 720.0, false},
        {90.0, 180.0, true},         {-90.0, -180.0, true},  {90.0000001, 8.5, false},
        {47.3, -180.0000001, false}, {0.0, 0.0000001, true}, {-0.0, 0.0, false},
        {nan, 8.5, false},           {47.3, nan, false},     {0.0000001, 0.0, true},
    };
    for (const auto& [lat, lon, position] : cases) {
        Survey survey;
        ASSERT_TRUE(readNs1(Ns1Bytes(8)
                                .add({.bestLat = lat,
                                      .bestLong = lon,
                                      .samples = {{kApril22, -70, 1, lat, lon}}})
                                .bytes(),
                            survey)
                        .none());
        EXPECT_EQ(survey.accessPoints.accessPoints.at(0).hasPosition, position) << lat << lon;
        EXPECT_EQ(survey.readings.group.size(), position ? 1u : 0u) << lat << lon;
    }
}

// Records that share a BSSID give one group, its readings in time order as
// the text export lists them; equal times keep the file's order, and the
// group's protection is its last reading's.
TEST(Ns1Reader, InterleavesTheReadingsOfABssidByTime) {
    const auto at = [](uint64_t seconds, int32_t signal) {
        return Ns1Sample{kApril22 + seconds * kSecond, signal, 1, 47.0 + seconds * 1e-4, 8.5};
    };
    Ns1Bytes log(11);
    log.add({.flags = 0x0001, .samples = {at(1, -71), at(3, -73), at(5, -75)}});
    log.add({.ssid = "other",
             .bssid = {0, 0, 0, 0, 0, 9},
             .samples = {at(4, -64), at(2, -62), at(6, -66)}});
    log.add({.ssid = "renamed", .flags = 0x0011, .samples = {at(2, -82), at(5, -85)}});
    Survey survey;
    ASSERT_TRUE(readNs1(log.bytes(), survey).none());
    std::vector<std::pair<int32_t, float>> groupAndSignal;
    for (const auto& row : readings(survey)) {
        groupAndSignal.emplace_back(std::get<0>(row), std::get<4>(row));
    }
    // Signals are dBm + 149.
    EXPECT_EQ(groupAndSignal,
              (std::vector<std::pair<int32_t, float>>{
                  {0, 78}, {1, 87}, {0, 67}, {0, 76}, {1, 85}, {0, 74}, {0, 64}, {1, 83}}));
    EXPECT_EQ(survey.readings.countOfGroup, (std::vector<int32_t>{5, 3}));
    EXPECT_EQ(survey.readings.lastProtectionOfGroup,
              (std::vector<Protection>{Protection::Protected, Protection::Open}));
    EXPECT_EQ(survey.accessPoints.accessPoints.size(), 3u);
}

// When a later record of a BSSID starts after an earlier one ends, the
// readings stay as the records give them, and the last record's protection
// holds.
TEST(Ns1Reader, KeepsTheRecordOrderWhenTimesFollow) {
    Ns1Bytes log(6);
    log.add({.flags = 0x0011, .samples = {{kApril22, -70, 1, 47.1, 8.5}}});
    log.add({.flags = 0x0001, .samples = {{kApril22 + kSecond, -60, 1, 47.2, 8.5}}});
    Survey survey;
    ASSERT_TRUE(readNs1(log.bytes(), survey).none());
    EXPECT_EQ(readings(survey), (std::vector<ReadingRow>{{0, 47.1, 8.5, kApril22Gtm, 79.0f},
                                                         {0, 47.2, 8.5, kApril22Gtm + 1, 89.0f}}));
    EXPECT_EQ(survey.readings.lastProtectionOfGroup, std::vector<Protection>{Protection::Open});
}

// Times order the readings as the exports show them, in whole seconds:
// samples of one second keep the file's order, also within a record.
TEST(Ns1Reader, OrdersReadingsByWholeSeconds) {
    Ns1Bytes log(12);
    log.add({.samples = {{kApril22 + 2 * kSecond + 5'000'000, -71, 1, 47.1, 8.5},
                         {kApril22 + 2 * kSecond + 1'000'000, -72, 1, 47.2, 8.5},
                         {kApril22 + kSecond + 9'999'999, -73, 1, 47.3, 8.5}}});
    Survey survey;
    ASSERT_TRUE(readNs1(log.bytes(), survey).none());
    EXPECT_EQ(readings(survey), (std::vector<ReadingRow>{{0, 47.3, 8.5, kApril22Gtm + 1, 76.0f},
                                                         {0, 47.1, 8.5, kApril22Gtm + 2, 78.0f},
                                                         {0, 47.2, 8.5, kApril22Gtm + 2, 77.0f}}));
}

// The name is the SSID up to a NUL (the exports print a C string) without
// the blanks around it; other bytes stay as they are.
TEST(Ns1Reader, TakesTheNetworkNameAsTheExportsPrintIt) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"  Caf\xe9 Odeon ", "Caf\xe9 Odeon"},
        {std::string("abc\0\0\0", 6), "abc"},
        {std::string("\0\0\0\0", 4), ""},
        {" \t tab ", "\t tab"},
        {std::string(255, 'x'), std::string(255, 'x')},
    };
    for (const auto& [ssid, name] : cases) {
        Survey survey;
        ASSERT_TRUE(readNs1(Ns1Bytes(12).add({.ssid = ssid}).bytes(), survey).none());
        EXPECT_EQ(survey.accessPoints.accessPoints.at(0).networkName, name);
    }
}

// An access point first seen, or a reading taken, at a time a GTM file cannot
// hold is left out, as the exports' conversion leaves out such a line, and
// counted; the access point's other readings still count for its BSSID.
TEST(Ns1Reader, LeavesOutTimesAGtmFileCannotHold) {
    constexpr uint64_t kAfter2058 = 150'000'000'000'000'000; // 2076-05-01 02:40:00
    Ns1Bytes log(12);
    log.add({.firstSeen = 0, .samples = {{kApril22, -70, 1, 47.1, 8.5}}});
    log.add({.ssid = "late", .samples = {{kAfter2058, -70, 1, 47.1, 8.5}}});
    Survey survey;
    ASSERT_TRUE(readNs1(log.bytes() + "pad", survey).none());
    EXPECT_EQ(survey.accessPoints.accessPoints.size(), 1u);
    EXPECT_EQ(survey.accessPoints.accessPoints.at(0).networkName, "late");
    EXPECT_EQ(readings(survey), (std::vector<ReadingRow>{{0, 47.1, 8.5, kApril22Gtm, 79.0f}}));
    // The text export would still date its last line by that sample.
    EXPECT_EQ(survey.accessPoints.logDate, "2076-05-01");
    EXPECT_EQ(survey.skipped,
              (std::vector<std::pair<std::string, int64_t>>{
                  {"NS1 access points first seen at a time a GTM file cannot hold", 1},
                  {"NS1 readings taken at a time a GTM file cannot hold", 1},
                  {"bytes after the last access point of an NS1 file", 3}}));
}

// Without samples the log is dated as the text export's header dates it, by
// its first access point; without access points it has no date.
TEST(Ns1Reader, DatesALogWithoutSamplesByItsFirstAccessPoint) {
    Survey survey;
    ASSERT_TRUE(readNs1(Ns1Bytes(8)
                            .add({.firstSeen = kApril22 + 86399 * kSecond})
                            .add({.firstSeen = kApril22 + 86400 * kSecond})
                            .bytes(),
                        survey)
                    .none());
    EXPECT_EQ(survey.accessPoints.logDate, "2004-04-22");
    Survey empty;
    ASSERT_TRUE(readNs1(Ns1Bytes(8).bytes(), empty).none());
    EXPECT_EQ(empty.accessPoints.logDate, "");
    EXPECT_TRUE(empty.accessPoints.accessPoints.empty());
}

// Records and samples that run over the edges of small blocks read as they
// do from one block.
TEST(Ns1Reader, ReadsAcrossBlockEdges) {
    Ns1Bytes log(12);
    for (uint8_t i = 0; i < 40; ++i) {
        Ns1Record record{.ssid = std::string(i * 6u, 'a'),
                         .bssid = {0, 0, 0, 0, 0, i},
                         .elements = std::string(i * 13u, '\x7f')};
        for (uint64_t k = 0; k < i; ++k) {
            record.samples.push_back({kApril22 + k * kSecond, -50 - i, k % 3 == 0 ? 0 : 1,
                                      47.0 + k * 1e-3, 8.0 + i * 1e-3});
        }
        log.add(record);
    }
    const std::string bytes = log.bytes();
    Survey whole;
    ASSERT_TRUE(readNs1(bytes, whole).none());
    EXPECT_EQ(whole.accessPoints.accessPoints.size(), 40u);
    EXPECT_EQ(whole.readings.group.size(), 507u); // two of every three samples
    for (const size_t block : {size_t{1}, size_t{512}, size_t{777}}) {
        Survey small;
        ASSERT_TRUE(readNs1(bytes, small, block).none()) << block;
        EXPECT_EQ(accessPoints(small), accessPoints(whole)) << block;
        EXPECT_EQ(readings(small), readings(whole)) << block;
    }
}

// A log that stops inside any field is truncated, whatever the field.
TEST(Ns1Reader, FindsEveryTruncation) {
    const test::TempFolder folder;
    const std::string bytes = twoAccessPoints(12).bytes();
    for (size_t size = 4; size < bytes.size(); ++size) {
        Survey survey;
        const SurveyProblem problem = readNs1(folder, bytes.substr(0, size), survey, 512);
        EXPECT_EQ(problem.text, "Is a truncated NS1 file") << size;
        EXPECT_EQ(problem.error, 0) << size;
    }
    const std::string version1 = twoAccessPoints(1).bytes();
    for (size_t size = 12; size < version1.size(); ++size) {
        Survey survey;
        EXPECT_EQ(readNs1(folder, version1.substr(0, size), survey).text, "Is a truncated NS1 file")
            << size;
    }
}

// Counts are believed only as far as the bytes go: a count of four billion in
// a small file is a truncated file, found at once.
TEST(Ns1Reader, StopsAtCountsThatRunPastTheEnd) {
    const auto withField = [](std::string bytes, size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            bytes[at + static_cast<size_t>(i)] = static_cast<char>(value >> (8 * i) & 0xFF);
        }
        return bytes;
    };
    const std::string one = Ns1Bytes(12).add({.ssid = "abc", .elements = "ie"}).bytes();
    const size_t dataCountAt = 12 + 1 + 3 + 58;
    const size_t elementCountAt = one.size() - 2 - 4;
    const std::vector<std::string> files{
        Ns1Bytes(12).add({}).bytes(0xFFFFFFFF),
        Ns1Bytes(1).add({}).bytes(0xFFFFFFFF),
        Ns1Bytes(6).bytes(2),
        withField(one, dataCountAt, 0xFFFFFFFF),
        withField(one, elementCountAt, 0xFFFFFFFF),
        one.substr(0, 12) + "\xff" + std::string(200, 'x'),
    };
    for (const std::string& bytes : files) {
        Survey survey;
        EXPECT_EQ(readNs1(bytes, survey).text, "Is a truncated NS1 file");
    }
}

// A version-1 log holds no samples: one longer than 64 MiB is not one
// NetStumbler wrote, and is not held in memory to find out.
TEST(Ns1Reader, RefusesAVersion1LogTooLongToBeOne) {
    const std::string header = Ns1Bytes(1).bytes(0xFFFFFFFF);
    Survey survey;
    EXPECT_EQ(readNs1(header + std::string((size_t{64} << 20) + 1, '\0'), survey).text,
              "Is too long for an NS1 file of version 1");
    Survey within;
    EXPECT_EQ(readNs1(header + std::string(size_t{64} << 20, '\0'), within).text,
              "Is a truncated NS1 file");
}

TEST(Ns1Reader, RefusesUnknownVersionsAndOtherFiles) {
    for (const uint32_t version : {0u, 2u, 3u, 4u, 5u, 7u, 9u, 10u, 13u, 0xFFFFFFFFu}) {
        Survey survey;
        EXPECT_EQ(readNs1(Ns1Bytes(version).add({}).bytes(), survey).text,
                  "Has an unknown NS1 version (" + std::to_string(version) + ")");
    }
    const std::vector<std::string> others{"", "Net", std::string("NetX\x0c\0\0\0\0\0\0\0", 12),
                                          "# $Creator"};
    for (const std::string& bytes : others) {
        Survey survey;
        EXPECT_EQ(readNs1(bytes, survey).text, "Is not an NS1 file") << bytes;
    }
}

// A read that fails gives its errno and no text.
TEST(Ns1Reader, ReportsAFailedRead) {
    ByteStream unopened;
    Survey survey;
    const SurveyProblem problem = ReadNs1(unopened, survey);
    EXPECT_EQ(problem.error, EBADF);
    EXPECT_EQ(problem.text, "");
}

} // namespace
} // namespace wavemark
