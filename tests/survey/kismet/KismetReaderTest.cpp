#include "survey/kismet/KismetReader.h"
#include "survey/Survey.h"
#include "survey/kismet/KismetDatabase.h"

#include "Gzip.h"
#include "SurveyText.h"
#include "TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace wavemark {
namespace {

struct Device {
    std::string mac;
    std::string json;
    std::string phy = "IEEE802.11";
    int64_t firstTime = 1560534000;
};

struct Packet {
    std::string mac;
    int64_t seconds;
    double lat; // degrees; a log before version 5 gets them as 1/100000
    double lon;
    int signal;
    std::string phy = "IEEE802.11";
};

std::string newerAp(const std::string& type, const std::string& ssid, uint64_t bitfield) {
    return R"({"kismet.device.base.type": ")" + type +
           R"(", "dot11.device": {"dot11.device.last_beaconed_ssid_record": {)"
           R"("dot11.advertisedssid.ssid": ")" +
           ssid + R"(", "dot11.advertisedssid.crypt_bitfield": )" + std::to_string(bitfield) +
           "}}}";
}

// The record named by its checksum, after the map and before the type.
std::string olderAp(const std::string& ssid, uint64_t cryptSet) {
    return R"({"dot11.device": {"dot11.device.advertised_ssid_map": {)"
           R"("111": {"dot11.advertisedssid.ssid": "Decoy", "dot11.advertisedssid.crypt_set": 2},)"
           R"("222": {"dot11.advertisedssid.ssid": ")" +
           ssid + R"(", "dot11.advertisedssid.crypt_set": )" + std::to_string(cryptSet) +
           R"(}}, "dot11.device.last_beaconed_ssid_checksum": 222},)"
           R"( "kismet.device.base.type": "Wi-Fi AP"})";
}

void exec(sqlite3* db, const std::string& sql) {
    char* message = nullptr;
    ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message), SQLITE_OK) << message;
}

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text) {
        out += c == '\'' ? "''" : std::string(1, c);
    }
    return out + "'";
}

// A log of Kismet's layout of `version`, with only the columns the reader needs.
std::string makeLog(const test::TempFolder& folder, int version, const std::vector<Device>& devices,
                    const std::vector<Packet>& packets) {
    const std::string path = folder.file("log.kismet");
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    const std::string position = version < 5 ? "INT" : "REAL";
    exec(db, "CREATE TABLE KISMET (kismet_version TEXT, db_version INT, db_module TEXT);"
             "INSERT INTO KISMET VALUES ('2019-04-R1', " +
                 std::to_string(version) + ", 'kismetlog');" +
                 "CREATE TABLE devices (first_time INT, devmac TEXT, phyname TEXT, "
                 "strongest_signal INT, device BLOB);"
                 "CREATE TABLE packets (ts_sec INT, ts_usec INT, phyname TEXT, sourcemac TEXT, "
                 "lat " +
                 position + ", lon " + position + ", signal INT);");
    for (const Device& d : devices) {
        exec(db, "INSERT INTO devices VALUES (" + std::to_string(d.firstTime) + ", " +
                     quoted(d.mac) + ", " + quoted(d.phy) + ", -60, " + quoted(d.json) + ")");
    }
    const double scale = version < 5 ? 100000.0 : 1.0;
    for (const Packet& p : packets) {
        std::ostringstream row;
        row.precision(12);
        row << "INSERT INTO packets VALUES (" << p.seconds << ", 0, " << quoted(p.phy) << ", "
            << quoted(p.mac) << ", " << p.lat * scale << ", " << p.lon * scale << ", " << p.signal
            << ")";
        exec(db, row.str());
    }
    sqlite3_close(db);
    return path;
}

std::string read(const std::string& path) {
    ByteStream stream;
    EXPECT_EQ(stream.open(path), 0);
    Survey survey;
    const SurveyProblem problem = ReadKismetLog(stream, survey);
    return test::SurveyText(problem, survey);
}

const std::vector<Device> kDevices = {
    {"0A:1A:11:F3:4C:20", newerAp("Wi-Fi AP", "CafeGuest", 0x0A), "IEEE802.11", 1560534010},
    {"C4:6E:1F:0A:9B:12", newerAp("Wi-Fi Ad-Hoc", "Old_Lab", 0), "IEEE802.11", 1560534005},
    {"5E:3A:91:07:D2:4B", newerAp("Wi-Fi Client", "", 0)},
    {"02:00:00:00:00:01", newerAp("Wi-Fi Bridged", "", 0)},
    {"AA:BB:CC:00:11:22", R"({"kismet.device.base.type": "BTLE"})", "BTLE"},
    {"AA:BB:CC:00:11:23", R"({"kismet.device.base.type": "BR/EDR"})", "Bluetooth"},
    {"0A:1A:11:F3:4C:21", R"({"kismet.device.base.type": "Wi-Fi AP", )"},
};

// Packets out of time order; a client's and a Bluetooth device's among them.
const std::vector<Packet> kPackets = {
    {"0A:1A:11:F3:4C:20", 1560534070, 51.50734, -0.12802, -65},
    {"0a:1a:11:f3:4c:20", 1560534010, 51.50721, -0.12764, -71},
    {"0A:1A:11:F3:4C:20", 1560534020, 0.0, 0.0, -40},
    {"0A:1A:11:F3:4C:20", 1560534030, 51.50722, -0.12765, -65},
    {"5E:3A:91:07:D2:4B", 1560534040, 51.5, -0.1, -30},
    {"AA:BB:CC:00:11:22", 1560534045, 51.5, -0.1, -30, "BTLE"},
    {"C4:6E:1F:0A:9B:12", 1560534005, 0.0, 0.0, -88},
    {"C4:6E:1F:0A:9B:12", 1560534006, 91.0, 0.0, -20},
};

const std::string kExpected =
    "0 \n"
    "( c4:6e:1f:0a:9b:12 ) Old_Lab | - 1560534005 61 open ad-hoc\n"
    "( 0a:1a:11:f3:4c:20 ) CafeGuest | 51.50722 -0.12765 1560534030 84 protected\n"
    "reading 0 51.50721 -0.12764 1560534010 78\n"
    "reading 0 51.50722 -0.12765 1560534030 84\n"
    "reading 0 51.50734 -0.12802 1560534070 84\n"
    "date 2019-06-14\n"
    "Wi-Fi devices other than access points: 2\n"
    "devices of radios other than Wi-Fi: 2\n"
    "device records that do not read: 1\n"
    "packets with coordinates out of range: 1\n";

TEST(KismetReader, ReadsAccessPointsAndTheirReadingsInTimeOrder) {
    const test::TempFolder folder;
    EXPECT_EQ(read(makeLog(folder, 8, kDevices, kPackets)), kExpected);
}

// Before version 5, positions are whole numbers of 1/100000 degree.
TEST(KismetReader, ReadsOldPositions) {
    const test::TempFolder folder;
    EXPECT_EQ(read(makeLog(folder, 4, kDevices, kPackets)), kExpected);
}

// Packets of one time keep the log's order, also where the reader splits
// the table (after the third of these five).
TEST(KismetReader, KeepsTheOrderOfPacketsOfOneTime) {
    const test::TempFolder folder;
    const std::string mac = "0A:1A:11:F3:4C:20";
    const std::string path = makeLog(folder, 8, {kDevices[0]},
                                     {{mac, 1560534010, 51.1, -0.1, -60},
                                      {mac, 1560534010, 51.2, -0.2, -60},
                                      {mac, 1560534010, 51.3, -0.3, -60},
                                      {mac, 1560534010, 51.4, -0.4, -60},
                                      {mac, 1560534020, 51.5, -0.5, -70}});
    EXPECT_EQ(read(path), "0 \n"
                          "( 0a:1a:11:f3:4c:20 ) CafeGuest | 51.1 -0.1 1560534010 89 protected\n"
                          "reading 0 51.1 -0.1 1560534010 89\n"
                          "reading 0 51.2 -0.2 1560534010 89\n"
                          "reading 0 51.3 -0.3 1560534010 89\n"
                          "reading 0 51.4 -0.4 1560534010 89\n"
                          "reading 0 51.5 -0.5 1560534020 79\n"
                          "date 2019-06-14\n");
}

TEST(KismetReader, ReadsBothSsidRecordForms) {
    const test::TempFolder folder;
    const std::string listForm =
        R"({"kismet.device.base.type": "Wi-Fi AP", "dot11.device": {)"
        R"("dot11.device.advertised_ssid_map": [{"dot11.advertisedssid.ssid": "Decoy"}],)"
        R"("dot11.device.last_beaconed_ssid_record": {"dot11.advertisedssid.ssid": "Listed"}}})";
    const std::string unknownChecksum = R"({"kismet.device.base.type": "Wi-Fi AP", "dot11.device":)"
                                        R"( {"dot11.device.last_beaconed_ssid_checksum": 5}})";
    const std::string path = makeLog(folder, 6,
                                     {{"00:00:00:00:00:01", olderAp("Br\\u00fccke \\\"7\\\"", 0)},
                                      {"00:00:00:00:00:02", listForm},
                                      {"00:00:00:00:00:03", unknownChecksum}},
                                     {});
    EXPECT_EQ(read(path), "0 \n"
                          "( 00:00:00:00:00:01 ) Br\xC3\xBC"
                          "cke \"7\" | - 1560534000 89 open\n"
                          "( 00:00:00:00:00:02 ) Listed | - 1560534000 89 open\n"
                          "( 00:00:00:00:00:03 )  | - 1560534000 89 open\n"
                          "date \n");
}

struct CryptCase {
    std::string json;
    bool isProtected;
};

class KismetCrypt : public testing::TestWithParam<CryptCase> {};

TEST_P(KismetCrypt, GivesTheClass) {
    const test::TempFolder folder;
    const std::string path = makeLog(folder, 8, {{"00:00:00:00:00:01", GetParam().json}}, {});
    EXPECT_EQ(read(path).find(" protected\n") != std::string::npos, GetParam().isProtected);
}

// dot11_crypt bits: general WEP 1 << 0, WPA 1 << 1, WPA1 1 << 2, WPA2 1 << 3,
// WPA3 (and OWE) 1 << 4; a cipher (CCMP 1 << 26) or key management (PSK 1 << 38)
// alone names no protection.
INSTANTIATE_TEST_SUITE_P(
    Bits, KismetCrypt,
    testing::Values(CryptCase{newerAp("Wi-Fi AP", "a", 0), false},
                    CryptCase{newerAp("Wi-Fi AP", "a", 1), true},
                    CryptCase{newerAp("Wi-Fi AP", "a", 2 | 4), true},
                    CryptCase{newerAp("Wi-Fi AP", "a", 2 | 8), true},
                    CryptCase{newerAp("Wi-Fi AP", "a", 16), true},
                    CryptCase{newerAp("Wi-Fi AP", "a", 1ull << 26 | 1ull << 38), false},
                    CryptCase{olderAp("a", 8), true}, CryptCase{olderAp("a", 1ull << 5), false}));

TEST(KismetReader, BitfieldWinsOverTheOlderSet) {
    const test::TempFolder folder;
    const std::string both = R"({"kismet.device.base.type": "Wi-Fi AP", "dot11.device": {)"
                             R"("dot11.device.last_beaconed_ssid_record": {)"
                             R"("dot11.advertisedssid.crypt_set": 8,)"
                             R"("dot11.advertisedssid.crypt_bitfield": 0}}})";
    EXPECT_EQ(read(makeLog(folder, 8, {{"00:00:00:00:00:01", both}}, {})),
              "0 \n( 00:00:00:00:00:01 )  | - 1560534000 89 open\ndate \n");
}

TEST(KismetReader, TellsOtherSqliteFiles) {
    const test::TempFolder folder;
    const std::string path = folder.file("other.db");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    exec(db, "CREATE TABLE places (name TEXT)");
    sqlite3_close(db);
    EXPECT_EQ(read(path), "0 Is an SQLite database, not a Kismet log\ndate \n");

    const std::string damaged = folder.write(
        "damaged.kismet", std::string("SQLite format 3\0", 16) + std::string(2000, 'x'));
    EXPECT_EQ(read(damaged), "0 Cannot be read by SQLite: file is not a database\ndate \n");
}

// The unpacked copy goes to the temporary folder and leaves it again, also
// when the log does not read.
TEST(KismetReader, UnpacksCompressedLogs) {
    const test::TempFolder folder;
    const test::TempFolder temp;
    const char* was = std::getenv("TMPDIR");
    const std::string saved = was != nullptr ? was : "";
    setenv("TMPDIR", temp.path().c_str(), 1);
    const std::string packed = folder.write(
        "log.kismet.gz", test::Gzip(test::ReadBytes(makeLog(folder, 8, kDevices, kPackets))));
    EXPECT_EQ(read(packed), kExpected);
    EXPECT_TRUE(std::filesystem::is_empty(temp.path()));
    const std::string broken =
        folder.write("broken.gz", test::Gzip(std::string("SQLite format 3\0", 16) + "short"));
    EXPECT_EQ(read(broken), "0 Cannot be read by SQLite: file is not a database\ndate \n");
    EXPECT_TRUE(std::filesystem::is_empty(temp.path()));
    was != nullptr ? setenv("TMPDIR", saved.c_str(), 1) : unsetenv("TMPDIR");
}

TEST(KismetReader, RefusesPipes) {
    const test::TempFolder folder;
    const std::string fifo = folder.file("log.kismet");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(read(fifo), "0 Is a Kismet log on a pipe: SQLite needs a file it can seek\ndate \n");
}

TEST(KismetReader, EncodesPathsAsUris) {
    EXPECT_EQ(ImmutableUri("/tmp/a b/%x?#.kismet"),
              "file:///tmp/a%20b/%25x%3F%23.kismet?immutable=1");
    EXPECT_EQ(ImmutableUri("//srv/log.kismet"), "file:////srv/log.kismet?immutable=1");
    EXPECT_EQ(ImmutableUri("logs/K\xC3\xB6ln.kismet"), "file:logs/K%C3%B6ln.kismet?immutable=1");
}

} // namespace
} // namespace wavemark
