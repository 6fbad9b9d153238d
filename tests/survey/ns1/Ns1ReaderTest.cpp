#include "survey/ns1/Ns1Reader.h"
#include "survey/Survey.h"
#include "survey/SurveyTime.h"
#include "survey/ns1/FileTime.h"
#include "survey/ns1/Ns1SurveyBuilder.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cerrno>
#include <limits>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace wavemark {
namespace {

using namespace std::string_literals;

constexpr uint64_t kSecond = 10'000'000;               // FILETIME ticks
constexpr uint64_t kApril22 = 127'270'656'000'000'000; // 2004-04-22 00:00:00
constexpr int64_t kApril22Utc = 1'082'592'000;
constexpr const char* kTruncated = "Is a truncated NS1 file";
constexpr const char* kTrailing = "bytes after the last access point of an NS1 file";
using Skipped = std::vector<std::pair<std::string, int64_t>>;

struct Ns1Sample {
    uint64_t time = 0; // FILETIME
    int32_t signal = -70;
    int32_t source = 1; // 0: no GPS data
    double lat = 0.0, lon = 0.0;
};

struct Ns1Record {
    std::string ssid = "linksys";
    std::array<uint8_t, 6> bssid{0x00, 0x0b, 0x86, 0xc2, 0xe1, 0x40};
    uint32_t flags = 0x0001;
    uint64_t firstSeen = 127'270'656'000'000'000; // 2004-04-22 00:00:00
    double bestLat = 0.0, bestLong = 0.0;
    std::vector<Ns1Sample> samples{};
    std::string name{};
    std::string elements{}; // v12 information elements
};

// A log laid out as Ns1Layout.h says, counting `count` records (else their number); version 1
// without Flags and BeaconInterval unless `flags`. Fields the reader skips are zero.
std::string Ns1Log(uint32_t version, const std::vector<Ns1Record>& records,
                   std::optional<uint32_t> count = {}, bool flags = true) {
    std::string out = "NetS";
    const auto u32 = [&](uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8) {
            out += static_cast<char>(v >> shift & 0xFF);
        }
    };
    const auto u64 = [&](uint64_t v) {
        u32(static_cast<uint32_t>(v));
        u32(static_cast<uint32_t>(v >> 32));
    };
    const auto text = [&](const std::string& v) { out += static_cast<char>(v.size()) + v; };
    u32(version);
    u32(count.value_or(static_cast<uint32_t>(records.size())));
    for (const Ns1Record& r : records) {
        text(r.ssid);
        out.append(r.bssid.begin(), r.bssid.end());
        u32(static_cast<uint32_t>(-60));         // MaxSignal
        out.append(version <= 6 ? 12 : 8, '\0'); // MinNoise, MaxSNR, v1/v6 Channel(s)
        if (version == 1 && !flags) {
            continue;
        }
        u32(r.flags);
        u32(100); // BeaconInterval
        if (version == 1) {
            continue;
        }
        u64(r.firstSeen);
        u64(r.firstSeen); // LastSeen
        u64(std::bit_cast<uint64_t>(r.bestLat));
        u64(std::bit_cast<uint64_t>(r.bestLong));
        u32(static_cast<uint32_t>(r.samples.size()));
        for (const Ns1Sample& s : r.samples) {
            u64(s.time);
            u32(static_cast<uint32_t>(s.signal));
            u32(0); // Noise
            u32(static_cast<uint32_t>(s.source));
            if (s.source != 0) {
                u64(std::bit_cast<uint64_t>(s.lat));
                u64(std::bit_cast<uint64_t>(s.lon));
                out.append(44, '\0'); // Altitude, NumSats, Speed, Track, MagVariation, Hdop
            }
        }
        text(r.name);
        out.append(version == 8 ? 16 : version == 11 ? 36 : version == 12 ? 40 : 0, '\0'); // tail
        if (version == 12) {
            u32(static_cast<uint32_t>(r.elements.size())); // IELength, after ApFlags
            out += r.elements;
        }
    }
    return out;
}

SurveyProblem readNs1(const std::string& bytes, Survey& survey, size_t blockSize = kNs1BlockSize) {
    const test::TempFolder folder;
    ByteStream stream;
    EXPECT_EQ(stream.open(folder.write("log.ns1", bytes)), 0);
    return ReadNs1(stream, survey, blockSize);
}

using ApRow =
    std::tuple<std::string, std::string, bool, double, double, int64_t, float, Protection, bool>;
std::vector<ApRow> accessPoints(const Survey& survey) {
    std::vector<ApRow> rows;
    for (const AccessPoint& ap : survey.accessPoints.accessPoints) {
        rows.emplace_back(ap.networkName, ap.bssid, ap.hasPosition, ap.lat, ap.lon, ap.time,
                          ap.signal, ap.protection, ap.adHoc);
    }
    return rows;
}

using ReadingRow = std::tuple<int32_t, double, int64_t, float>; // group, lat, time, signal
std::vector<ReadingRow> readings(const Survey& survey) {
    std::vector<ReadingRow> rows;
    const Readings& r = survey.readings;
    for (size_t i = 0; i < r.group.size(); ++i) {
        rows.emplace_back(r.group[i], r.lat[i], UnpackTime(r.time[i]), r.signal[i]);
    }
    return rows;
}

// A protected access point heard four times (without GPS data, by location source 3 as its
// signal was lost, at 0 / 0), and an ad-hoc peer without a position heard two days later.
std::vector<Ns1Record> twoAccessPoints() {
    return {{.ssid = std::string(" linksys\xE9 \0x", 12),
             .flags = 0x0011,
             .firstSeen = kApril22 + 5 * kSecond,
             .bestLat = 47.377015,
             .bestLong = 8.539025,
             .samples = {{kApril22 + 5 * kSecond, -70, 1, 47.377015, 8.539025},
                         {kApril22 + 6 * kSecond, -68, 0},
                         {kApril22 + 7 * kSecond, -32767, 3, 47.3771, 8.5391},
                         {kApril22 + 8 * kSecond, -69, 1, 0.0, 0.0}},
             .name = "office",
             .elements = std::string("\0\7linksys", 9)},
            {.ssid = "",
             .bssid = {0x02, 0x1c, 0x4a, 0x00, 0x00, 0x01},
             .flags = 0x0002,
             .firstSeen = kApril22 + (2 * 86400 - 1) * kSecond,
             .samples = {{kApril22 + (2 * 86400 + 1) * kSecond, -81, 1, -33.4489, -70.6693}}}};
}

// Whole UTC seconds, as the exports print them, over every FILETIME; and the date they print.
TEST(FileTime, GivesUtcSecondsAndDate) {
    const std::vector<std::tuple<uint64_t, int64_t, std::string>> cases{
        {127'270'656'009'999'999, 1'082'592'000, "2004-04-22"}, // 00:00:00.9999999
        {127'270'655'999'999'999, 1'082'591'999, "2004-04-21"}, // 23:59:59.9999999
        {116'444'736'000'000'000, 0, "1970-01-01"},
        {116'444'735'990'000'000, -1, "1969-12-31"},
        {0, -11'644'473'600, "1601-01-01"},
        {UINT64_MAX, 1'833'029'933'770, "60056-05-28"}};
    for (const auto& [ticks, seconds, date] : cases) {
        EXPECT_EQ(ns1::UtcSecondsOfFileTime(ticks), seconds) << ticks;
        EXPECT_EQ(ns1::DateOfFileTime(ticks), date) << ticks;
    }
}

// Each layout gives levels dBm + 149, the SSID up to a NUL with its blanks, as UTF-8, readings at
// positions only, the log dated by its latest sample. Version 1 has no times,
// positions or samples; without Flags its access points are open, and where neither reading of it
// ends at the file's end the one with Flags holds.
TEST(Ns1Reader, ReadsEveryVersion) {
    const std::vector<std::tuple<uint32_t, bool, std::string>> cases{
        {1, true, ""}, {1, false, ""},    {1, true, "\x05\x05"}, {6, true, ""},
        {8, true, ""}, {11, true, "pad"}, {12, true, ""}};
    for (const auto& [version, flags, trailing] : cases) {
        Survey survey;
        ASSERT_TRUE(
            readNs1(Ns1Log(version, twoAccessPoints(), {}, flags) + trailing, survey).none())
            << version << flags;
        const bool v1 = version == 1;
        const Protection wep = flags ? Protection::Protected : Protection::Open;
        EXPECT_EQ(accessPoints(survey),
                  (std::vector<ApRow>{
                      {" linksys\u00e9 ", "( 00:0b:86:c2:e1:40 )", !v1, v1 ? 0 : 47.377015,
                       v1 ? 0 : 8.539025, v1 ? kNoTime : kApril22Utc + 5, 89.0f, wep, false},
                      {"", "( 02:1c:4a:00:00:01 )", false, 0.0, 0.0,
                       v1 ? kNoTime : kApril22Utc + 172799, 89.0f, Protection::Open, flags}}))
            << version << flags;
        const std::vector<ReadingRow> heard{{0, 47.377015, kApril22Utc + 5, 79.0f},
                                            {0, 47.3771, kApril22Utc + 7, -32618.0f},
                                            {1, -33.4489, kApril22Utc + 172801, 68.0f}};
        EXPECT_EQ(readings(survey), v1 ? std::vector<ReadingRow>() : heard) << version;
        EXPECT_EQ(survey.accessPoints.logDate, v1 ? "" : "2004-04-24");
        const Skipped noted{{kTrailing, static_cast<int64_t>(trailing.size())}};
        EXPECT_EQ(survey.skipped, trailing.empty() ? Skipped() : noted);
    }
}

// The flag column prints the capability field as at least four hex digits: the third holds the
// privacy bit (odd: protected), the fourth the IBSS bit (2, 3, 6, 7, ...: ad-hoc).
TEST(Ns1Reader, ReadsFlagsAsTheExportsFlagColumn) {
    const std::vector<std::tuple<uint32_t, Protection, bool>> cases{
        {0x0001, Protection::Open, false},         {0x0411, Protection::Protected, false},
        {0x0031, Protection::Protected, false},    {0x0012, Protection::Protected, true},
        {0x0022, Protection::Open, true},          {0x0003, Protection::Open, true},
        {0x0061, Protection::Open, false},         {0x0421, Protection::Open, false},
        {0x0005, Protection::Open, false},         {0x00F7, Protection::Protected, true},
        {0x10011, Protection::Open, false},        {0x10102, Protection::Protected, false},
        {0x12345678, Protection::Protected, false}};
    for (const auto& [flags, protection, adHoc] : cases) {
        EXPECT_EQ(ns1::ProtectionOfFlags(flags), protection) << std::hex << flags;
        EXPECT_EQ(ns1::IsAdHocByFlags(flags), adHoc) << std::hex << flags;
    }
}

// 0 / 0 and anything outside -90..90 / -180..180 is no position, for access points and readings.
TEST(Ns1Reader, TakesPositionsAsTheExportsDo) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<std::tuple<double, double, bool>> cases{
        {90.0, 180.0, true},      {-90.0, -180.0, true},       {0.0, 1e-7, true},
        {1e-7, 0.0, true},        {-0.0, 0.0, false},          {360.0, 720.0, false},
        {90.0000001, 8.5, false}, {47.3, -180.0000001, false}, {nan, 8.5, false},
        {47.3, nan, false}};
    for (const auto& [lat, lon, position] : cases) {
        Survey survey;
        const Ns1Record record{
            .bestLat = lat, .bestLong = lon, .samples = {{kApril22, -70, 1, lat, lon}}};
        ASSERT_TRUE(readNs1(Ns1Log(8, {record}), survey).none());
        EXPECT_EQ(survey.accessPoints.accessPoints.at(0).hasPosition, position)
            << lat << ' ' << lon;
        EXPECT_EQ(survey.readings.group.size(), position ? 1u : 0u) << lat << ' ' << lon;
    }
}

// A BSSID's readings, over all its records, come in the order of their whole seconds as the text
// export lists them; equal seconds keep the file's order; the group's protection is its last one's.
TEST(Ns1Reader, OrdersTheReadingsOfABssidByWholeSeconds) {
    const auto at = [](uint64_t tenths, int32_t signal) {
        return Ns1Sample{kApril22 + tenths * kSecond / 10, signal, 1, 47.0, 8.5};
    };
    const std::string log =
        Ns1Log(11, {{.flags = 0x0001, .samples = {at(10, -71), at(30, -73), at(59, -75)}},
                    {.ssid = "other",
                     .bssid = {0, 0, 0, 0, 0, 9},
                     .samples = {at(40, -64), at(20, -62), at(60, -66)}},
                    {.ssid = "renamed", .flags = 0x0011, .samples = {at(20, -82), at(51, -85)}}});
    Survey survey;
    ASSERT_TRUE(readNs1(log, survey).none());
    std::vector<std::pair<int32_t, float>> groupAndSignal;
    for (const auto& [group, lat, time, signal] : readings(survey)) {
        groupAndSignal.emplace_back(group, signal);
    }
    EXPECT_EQ(groupAndSignal,
              (std::vector<std::pair<int32_t, float>>{
                  {0, 78}, {1, 87}, {0, 67}, {0, 76}, {1, 85}, {0, 74}, {0, 64}, {1, 83}}));
    EXPECT_EQ(survey.readings.countOfGroup, (std::vector<int32_t>{5, 3}));
    EXPECT_EQ(survey.readings.lastProtectionOfGroup,
              (std::vector<Protection>{Protection::Protected, Protection::Open}));
}

// No access point or reading is left out for its time: an access point keeps whatever moment it
// has, a reading any from 1921 to 2058 (past them it has none), and the latest dates the log.
TEST(Ns1Reader, KeepsEveryAccessPointAndReadingWhateverItsTime) {
    constexpr uint64_t kIn2076 = 150'000'000'000'000'000; // 2076-05-01 02:40:00
    constexpr uint64_t kIn1985 = 121'309'488'000'000'000; // 1985-06-01 12:00:00
    constexpr int64_t kIn1985Utc = 486'475'200;
    Survey survey;
    ASSERT_TRUE(readNs1(Ns1Log(12, {{.firstSeen = 0,
                                     .samples = {{kIn1985, -70, 1, 47.1, 8.5},
                                                 {kApril22, -70, 1, 47.1, 8.5}}},
                                    {.ssid = "late",
                                     .bssid = {0, 0, 0, 0, 0, 9},
                                     .samples = {{kIn2076, -70, 1, 47.1, 8.5}}}}),
                        survey)
                    .none());
    ASSERT_EQ(survey.accessPoints.accessPoints.size(), 2u);
    EXPECT_EQ(survey.accessPoints.accessPoints[0].time, -11'644'473'600);
    EXPECT_EQ(readings(survey), (std::vector<ReadingRow>{{0, 47.1, kIn1985Utc, 79.0f},
                                                         {0, 47.1, kApril22Utc, 79.0f},
                                                         {1, 47.1, kNoTime, 79.0f}}));
    EXPECT_EQ(survey.accessPoints.logDate, "2076-05-01");
    EXPECT_EQ(survey.skipped, Skipped());
}

// Without samples the log is dated by its first access point, as the text export's header is;
// without access points it has no date.
TEST(Ns1Reader, DatesALogWithoutSamplesByItsFirstAccessPoint) {
    Survey survey, empty;
    ASSERT_TRUE(readNs1(Ns1Log(8, {{.firstSeen = kApril22 + 86399 * kSecond},
                                   {.firstSeen = kApril22 + 86400 * kSecond}}),
                        survey)
                    .none());
    EXPECT_EQ(survey.accessPoints.logDate, "2004-04-22");
    ASSERT_TRUE(readNs1(Ns1Log(8, {}), empty).none());
    EXPECT_EQ(empty.accessPoints.logDate, "");
}

// Records, names and samples that run over the edges of small blocks read as from one block.
TEST(Ns1Reader, ReadsAcrossBlockEdges) {
    std::vector<Ns1Record> records;
    for (uint8_t i = 0; i < 40; ++i) {
        records.push_back({.ssid = std::string(i * 6u, 'a'),
                           .bssid = {0, 0, 0, 0, 0, i},
                           .name = std::string(i, 'n'),
                           .elements = std::string(i * 13u, '\x7f')});
        for (uint64_t k = 0; k < i; ++k) {
            records.back().samples.push_back(
                {kApril22 + k * kSecond, -50 - i, k % 3 == 0 ? 0 : 1, 47.0 + k * 1e-3, 8.0});
        }
    }
    Survey whole;
    ASSERT_TRUE(readNs1(Ns1Log(12, records), whole).none());
    EXPECT_EQ(whole.readings.group.size(), 507u); // two of every three samples
    for (const size_t block : {size_t{1}, size_t{777}}) {
        Survey small;
        ASSERT_TRUE(readNs1(Ns1Log(12, records), small, block).none()) << block;
        EXPECT_EQ(accessPoints(small), accessPoints(whole)) << block;
        EXPECT_EQ(readings(small), readings(whole)) << block;
    }
}

// A log that ends inside any field, of records or of version 1, is truncated (the record it
// ends in is told below).
TEST(Ns1Reader, FindsEveryTruncation) {
    for (const uint32_t version : {1u, 12u}) {
        const std::string bytes = Ns1Log(version, twoAccessPoints());
        for (size_t size = 4; size < bytes.size(); ++size) {
            Survey survey;
            EXPECT_TRUE(readNs1(bytes.substr(0, size), survey, kNs1SmallestBlock)
                            .text.starts_with(std::string(kTruncated) + ": it ends "))
                << version << ' ' << size;
        }
    }
}

// Counts are believed only as far as the bytes go; a version-1 log past 64 MiB is not held to
// find out; other versions and other files are named. Each text says where, records counted
// from 1; the zero bytes of version 1 read as records of 31 bytes.
TEST(Ns1Reader, RefusesWhatIsNoWholeLogOfAKnownVersion) {
    const auto withCount = [](std::string bytes, size_t at) {
        bytes.replace(at, 4, "\xff\xff\xff\xff");
        return bytes;
    };
    const std::string one = Ns1Log(12, {{.ssid = "abc", .elements = "ie"}});
    const std::string version1 = Ns1Log(1, {}, 0xFFFFFFFF);
    const std::string log = Ns1Log(12, twoAccessPoints());
    const std::string tooLong = "Is too long for an NS1 file of version 1: ";
    const std::string notNs1 = "Is not an NS1 file: its header does not start with NetS";
    const std::vector<std::pair<std::string, std::string>> cases{
        {Ns1Log(12, {{}}, 0xFFFFFFFF), kTruncated + ": it ends before record 2 of 4294967295"s},
        {Ns1Log(1, {{}}, 0xFFFFFFFF), kTruncated + ": it ends before record 2 of 4294967295"s},
        {Ns1Log(6, {}, 2), kTruncated + ": it ends before record 1 of 2"s},
        {Ns1Log(12, {{}}, 2), kTruncated + ": it ends before record 2 of 2"s},
        {log.substr(0, log.size() - 1), kTruncated + ": it ends inside record 2 of 2"s},
        {log.substr(0, 11), kTruncated + ": it ends inside its header"s},
        {withCount(one, 12 + 1 + 3 + 58), kTruncated + ": it ends inside record 1 of 1"s},
        {withCount(one, one.size() - 2 - 4), kTruncated + ": it ends inside record 1 of 1"s},
        {one.substr(0, 12) + "\xff" + std::string(200, 'x'),
         kTruncated + ": it ends inside record 1 of 1"s},
        {version1 + std::string(size_t{64} << 20, '\0'),
         kTruncated + ": it ends inside record 2164803 of 4294967295"s},
        {version1 + std::string((size_t{64} << 20) + 1, '\0'),
         tooLong + "record 2164803 of 4294967295 runs past 64 MiB"},
        {Ns1Log(1, {{}}) + std::string((size_t{64} << 20) + 1, '\0'),
         tooLong + "the bytes after record 1 of 1 run past 64 MiB"},
        {Ns1Log(0, {{}}), "Has an unknown NS1 version (0) in its header"},
        {Ns1Log(13, {{}}), "Has an unknown NS1 version (13) in its header"},
        {Ns1Log(0xFFFFFFFF, {{}}), "Has an unknown NS1 version (4294967295) in its header"},
        {"", notNs1},
        {std::string("NetX\x0c\0\0\0\0\0\0\0", 12), notNs1},
        {"Net", notNs1}};
    for (size_t i = 0; i < cases.size(); ++i) {
        Survey survey;
        EXPECT_EQ(readNs1(cases[i].first, survey).text, cases[i].second) << i;
    }
}

TEST(Ns1Reader, ReportsAFailedReadByItsErrno) {
    ByteStream unopened;
    Survey survey;
    const SurveyProblem problem = ReadNs1(unopened, survey);
    EXPECT_EQ(std::pair(problem.error, problem.text), std::pair(EBADF, std::string()));
}

} // namespace
} // namespace wavemark
