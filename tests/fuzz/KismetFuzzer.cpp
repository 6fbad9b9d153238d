// The Kismet reader over small logs broken in two ways: SQLite pages overwritten byte by byte,
// and device records replaced by any bytes. It never crashes, a failure of SQLite comes back as a
// text with nothing read, and whatever it reads holds together. The log goes to a file of the
// temporary folder, not a memfd: SQLite follows /proc/self/fd/N to the memfd's name, which it
// cannot open.
//
// Input: a first byte, whose bit 0 picks the way and bit 1 the log's layout (db_version 8, or 4
// with positions in 1/100000 degree); then
//   pages:   edits of (page, offset as two bytes little-endian, count, count bytes), each
//            page and offset taken modulo the log's;
//   records: the device row to replace (modulo the rows), then the record's bytes.
#include "SurveyCheck.h"
#include "survey/Survey.h"
#include "survey/kismet/KismetReader.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

using namespace wavemark;

// Small pages, so that a log of a few rows still has a root page, interior
// pages and overflow pages to break.
constexpr size_t kPageSize = 512;

struct Device {
    const char* mac;
    const char* phy;
    const char* record;
};

// Both SSID record forms, an ad-hoc access point, a client, a Bluetooth
// device and a long record that overflows its page.
const std::array<Device, 5> kDevices = {{
    {"0A:1A:11:F3:4C:20", "IEEE802.11",
     R"({"kismet.device.base.type": "Wi-Fi AP", "dot11.device": {)"
     R"("dot11.device.last_beaconed_ssid_record": {"dot11.advertisedssid.ssid": "Caf\u00e9",)"
     R"( "dot11.advertisedssid.crypt_bitfield": 10}}})"},
    {"C4:6E:1F:0A:9B:12", "IEEE802.11",
     R"({"dot11.device": {"dot11.device.advertised_ssid_map": {"1": {)"
     R"("dot11.advertisedssid.ssid": "Decoy", "dot11.advertisedssid.crypt_set": 2}, "2": {)"
     R"("dot11.advertisedssid.ssid": "Old_Lab", "dot11.advertisedssid.crypt_set": 0}},)"
     R"( "dot11.device.last_beaconed_ssid_checksum": 2},)"
     R"( "kismet.device.base.type": "Wi-Fi Ad-Hoc"})"},
    {"5E:3A:91:07:D2:4B", "IEEE802.11", R"({"kismet.device.base.type": "Wi-Fi Client"})"},
    {"AA:BB:CC:00:11:22", "BTLE", R"({"kismet.device.base.type": "BTLE"})"},
    {"02:00:00:00:00:07", "IEEE802.11", nullptr},
}};

struct Packet {
    int64_t seconds;
    size_t device;
    double lat;
    double lon;
    int signal;
};

// Out of time order, without a fix, and out of range among them.
constexpr std::array<Packet, 10> kPackets = {{
    {1560534070, 0, 51.50734, -0.12802, -65},
    {1560534010, 0, 51.50721, -0.12764, -71},
    {1560534020, 0, 0.0, 0.0, -40},
    {1560534040, 2, 51.5, -0.1, -30},
    {1560534045, 3, 51.5, -0.1, -30},
    {1560534005, 1, 0.0, 0.0, -88},
    {1560534006, 1, 91.0, 0.0, -20},
    {1560534030, 1, -33.86785, 151.20732, -50},
    {1560534030, 4, -33.86790, 151.20740, -50},
    {1560534031, 4, -33.86795, 151.20745, -52},
}};

// A record long enough for an overflow page.
std::string longRecord() {
    return R"({"kismet.device.base.type": "Wi-Fi AP", "kismet.device.base.name": ")" +
           std::string(1500, 'x') +
           R"(", "dot11.device": {"dot11.device.last_beaconed_ssid_record": {)"
           R"("dot11.advertisedssid.ssid": "Long"}}})";
}

void exec(sqlite3* db, const std::string& sql) {
    check(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK);
}

// The log's bytes, with `record` as the device record of row `replaced`.
std::string makeLog(bool old, std::optional<size_t> replaced, std::string_view record) {
    sqlite3* db = nullptr;
    check(sqlite3_open(":memory:", &db) == SQLITE_OK);
    const std::string position = old ? "INT" : "REAL";
    exec(db, "PRAGMA page_size = " + std::to_string(kPageSize) +
                 "; CREATE TABLE KISMET (kismet_version TEXT, db_version INT, db_module TEXT);"
                 "INSERT INTO KISMET VALUES ('2022-08-R1', " +
                 (old ? "4" : "8") +
                 ", 'kismetlog');"
                 "CREATE TABLE devices (first_time INT, devmac TEXT, phyname TEXT, "
                 "strongest_signal INT, device BLOB);"
                 "CREATE TABLE packets (ts_sec INT, ts_usec INT, phyname TEXT, sourcemac TEXT, "
                 "lat " +
                 position + ", lon " + position + ", signal INT);");
    sqlite3_stmt* device = nullptr;
    check(sqlite3_prepare_v2(db, "INSERT INTO devices VALUES (?, ?, ?, -60, ?)", -1, &device,
                             nullptr) == SQLITE_OK);
    const std::string overflowing = longRecord();
    for (size_t i = 0; i < kDevices.size(); ++i) {
        std::string_view json = overflowing;
        if (kDevices[i].record != nullptr) {
            json = kDevices[i].record;
        }
        if (replaced == i) {
            json = record;
        }
        sqlite3_bind_int64(device, 1, 1560534000 + static_cast<int64_t>(i % 3));
        sqlite3_bind_text(device, 2, kDevices[i].mac, -1, SQLITE_STATIC);
        sqlite3_bind_text(device, 3, kDevices[i].phy, -1, SQLITE_STATIC);
        sqlite3_bind_blob(device, 4, json.data(), static_cast<int>(json.size()), SQLITE_STATIC);
        check(sqlite3_step(device) == SQLITE_DONE && sqlite3_reset(device) == SQLITE_OK);
    }
    sqlite3_finalize(device);
    const double scale = old ? 100000.0 : 1.0;
    for (const Packet& p : kPackets) {
        const Device& d = kDevices[p.device];
        exec(db, "INSERT INTO packets VALUES (" + std::to_string(p.seconds) + ", 0, '" + d.phy +
                     "', '" + d.mac + "', " + std::to_string(p.lat * scale) + ", " +
                     std::to_string(p.lon * scale) + ", " + std::to_string(p.signal) + ")");
    }
    sqlite3_int64 size = 0;
    unsigned char* bytes = sqlite3_serialize(db, "main", &size, 0);
    check(bytes != nullptr);
    std::string log(reinterpret_cast<const char*>(bytes), static_cast<size_t>(size));
    sqlite3_free(bytes);
    sqlite3_close(db);
    return log;
}

void editPages(std::string& log, std::string_view edits) {
    const size_t pages = log.size() / kPageSize;
    while (edits.size() >= 4) {
        const auto byte = [&](size_t i) { return static_cast<unsigned char>(edits[i]); };
        const size_t offset = size_t{byte(1)} | size_t{byte(2)} << 8;
        const size_t start = byte(0) % pages * kPageSize + offset % kPageSize;
        const size_t count = std::min<size_t>({byte(3), edits.size() - 4, log.size() - start});
        log.replace(start, count, edits.substr(4, count));
        edits.remove_prefix(4 + count);
    }
}

// The file the logs are read from, removed when the run ends.
class LogFile {
public:
    LogFile()
        : m_path(std::filesystem::temp_directory_path() /
                 ("wavemark-fuzz-" + std::to_string(::getpid()) + ".kismet")) {}
    ~LogFile() { std::filesystem::remove(m_path); }

    std::optional<SurveyProblem> read(const std::string& log, Survey& survey) const {
        std::ofstream(m_path, std::ios::binary | std::ios::trunc) << log;
        check(std::filesystem::file_size(m_path) == log.size());
        ByteStream stream;
        if (stream.open(m_path.string()) != 0) {
            return std::nullopt;
        }
        return ReadKismetLog(stream, survey);
    }

private:
    std::filesystem::path m_path;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const bool old = (data[0] & 2) != 0;
    const bool records = (data[0] & 1) != 0;
    static const std::array<std::string, 2> kLogs = {makeLog(false, {}, {}), makeLog(true, {}, {})};
    std::string log;
    if (records) {
        log = makeLog(old, static_cast<size_t>(data[1]) % kDevices.size(), input.substr(1));
    } else {
        log = kLogs[old ? 1 : 0];
        editPages(log, input);
    }
    static const LogFile kFile;
    Survey survey;
    const std::optional<SurveyProblem> problem = kFile.read(log, survey);
    // Only a log that now starts as gzip data can fail to be read.
    const bool gzip = log.starts_with("\x1f\x8b");
    check(problem || gzip);
    if (!problem) {
        return 0;
    }
    check(problem->error == 0 || gzip);
    if (!problem->none()) {
        check(survey.accessPoints.accessPoints.empty() && survey.readings.group.size() == 0);
        return 0;
    }
    fuzz::ConsistentSurveyText(survey);
    for (const auto& [why, count] : survey.skipped) {
        check(count > 0 && (why == "Wi-Fi devices other than access points" ||
                            why == "devices of radios other than Wi-Fi" ||
                            why == "device records that do not read" ||
                            why == "packets with coordinates out of range"));
    }
    if (records) {
        // A record changes its own row only: at most the four Wi-Fi devices are access points,
        // with the six packets in range that they sent.
        check(survey.accessPoints.accessPoints.size() <= 4 && survey.readings.group.size() <= 6);
    }
    return 0;
}
