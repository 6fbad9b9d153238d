#include "KismetWriter.h"

#include "ReadingWalk.h"
#include "platform/Windows1252.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

namespace wavemark {
namespace {

constexpr int kDbVersion = 8;
constexpr const char* kSource = "5fe308bd-0000-0000-0000-00c0ca1f2c3d";

constexpr const char* kSchema =
    "CREATE TABLE KISMET (kismet_version TEXT, db_version INT, db_module TEXT);"
    "CREATE TABLE devices (first_time INT, last_time INT, devkey TEXT, phyname TEXT, "
    "devmac TEXT, strongest_signal INT, min_lat REAL, min_lon REAL, max_lat REAL, "
    "max_lon REAL, avg_lat REAL, avg_lon REAL, bytes_data INT, type TEXT, device BLOB, "
    "UNIQUE(phyname, devmac) ON CONFLICT REPLACE);"
    "CREATE TABLE packets (ts_sec INT, ts_usec INT, phyname TEXT, sourcemac TEXT, "
    "destmac TEXT, transmac TEXT, frequency REAL, devkey TEXT, lat REAL, lon REAL, "
    "alt REAL, speed REAL, heading REAL, packet_len INT, signal INT, datasource TEXT, "
    "dlt INT, packet BLOB, error INT, tags TEXT, datarate REAL, hash INT, packetid INT, "
    "packet_full_len INT);"
    "CREATE TABLE data (ts_sec INT, ts_usec INT, phyname TEXT, devmac TEXT, lat REAL, "
    "lon REAL, alt REAL, speed REAL, heading REAL, datasource TEXT, type TEXT, json BLOB);"
    "CREATE TABLE datasources (uuid TEXT, typestring TEXT, definition TEXT, name TEXT, "
    "interface TEXT, json BLOB, UNIQUE(uuid) ON CONFLICT REPLACE);";

// dot11_crypt bits as Kismet's beacon parser sets them: WEP; WPA2-PSK with
// CCMP; WPA and WPA2 with TKIP; WPA3-SAE.
constexpr std::array<uint64_t, 4> kProtecting = {1, 2 | 8 | 1ull << 10 | 1ull << 26 | 1ull << 38,
                                                 2 | 4 | 8 | 1ull << 9 | 1ull << 25 | 1ull << 38,
                                                 2 | 16 | 1ull << 10 | 1ull << 26};

struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct StatementCloser {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementCloser>;

// What an access point's readings add up to, for its device row.
struct Span {
    int64_t first = 0;
    int64_t last = 0;
    int strongest = -32768;
    double minLat = 0, minLon = 0, maxLat = 0, maxLon = 0, sumLat = 0, sumLon = 0;
    int64_t fixes = 0;
};

std::string upperMac(const std::string& mac) {
    std::string text = mac;
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'a' && c <= 'f' ? static_cast<char>(c - 32) : c; });
    return text;
}

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string ssidRecord(const std::string& ssid, const char* cryptField, uint64_t crypt) {
    return "{\"dot11.advertisedssid.ssid\": " + jsonString(ssid) +
           ", \"dot11.advertisedssid.ssidlen\": " + std::to_string(ssid.size()) + ", \"" +
           cryptField + "\": " + std::to_string(crypt) + "}";
}

// The newer form for even access points; the older one, with a decoy entry
// and the type last, for odd ones.
std::string apRecord(const AccessPoint& ap, size_t index, const std::string& mac) {
    const std::string ssid = FromWindows1252(ap.ssid);
    const uint64_t crypt = ap.wep() ? kProtecting[index / 2 % kProtecting.size()] : 0;
    const std::string type = ap.adhoc ? "\"Wi-Fi Ad-Hoc\"" : "\"Wi-Fi AP\"";
    const std::string base = "{\"kismet.device.base.macaddr\": \"" + mac +
                             "\", \"kismet.device.base.phyname\": \"IEEE802.11\", "
                             "\"kismet.device.base.channel\": \"" +
                             std::to_string(ap.channel) + "\", ";
    if (index % 2 == 0) {
        return base + "\"kismet.device.base.type\": " + type +
               ", \"dot11.device\": {\"dot11.device.num_advertised_ssids\": 1, "
               "\"dot11.device.last_beaconed_ssid_record\": " +
               ssidRecord(ssid, "dot11.advertisedssid.crypt_bitfield", crypt) +
               ", \"dot11.device.advertised_ssid_map\": []}}";
    }
    const uint64_t checksum = 1000003 * (index + 1);
    return base + "\"dot11.device\": {\"dot11.device.advertised_ssid_map\": {\"" +
           std::to_string(checksum + 1) +
           "\": " + ssidRecord("decoy", "dot11.advertisedssid.crypt_set", ap.wep() ? 0 : 1) +
           ", \"" + std::to_string(checksum) +
           "\": " + ssidRecord(ssid, "dot11.advertisedssid.crypt_set", crypt) +
           "}, \"dot11.device.last_beaconed_ssid_checksum\": " + std::to_string(checksum) +
           "}, \"kismet.device.base.type\": " + type + "}";
}

class LogWriter {
public:
    explicit LogWriter(sqlite3* db) : m_db(db) {}

    bool exec(const char* sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == 0; }
    bool prepare(const char* sql, Statement& statement) {
        sqlite3_stmt* made = nullptr;
        const bool ok = sqlite3_prepare_v2(m_db, sql, -1, &made, nullptr) == SQLITE_OK;
        statement.reset(made);
        return ok;
    }
    bool device(const std::string& mac, const char* phy, const char* type, const Span& span,
                const std::string& json);
    bool packet(int64_t time, int64_t micros, const char* phy, const std::string& mac, int channel,
                const Step* step, int signal);
    bool open() {
        return prepare("INSERT INTO devices VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)", m_device) &&
               prepare("INSERT INTO packets VALUES "
                       "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                       m_packet);
    }

private:
    sqlite3* m_db;
    Statement m_device;
    Statement m_packet;
    int64_t m_packets = 0;
};

bool LogWriter::device(const std::string& mac, const char* phy, const char* type, const Span& span,
                       const std::string& json) {
    sqlite3_stmt* s = m_device.get();
    const double fixes = static_cast<double>(std::max<int64_t>(span.fixes, 1));
    sqlite3_bind_int64(s, 1, span.first);
    sqlite3_bind_int64(s, 2, span.last);
    sqlite3_bind_text(s, 3, ("4202770D00000000_" + mac).c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(s, 4, phy, -1, SQLITE_STATIC);
    sqlite3_bind_text(s, 5, mac.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(s, 6, span.strongest);
    const std::array<double, 6> box = {span.minLat, span.minLon,         span.maxLat,
                                       span.maxLon, span.sumLat / fixes, span.sumLon / fixes};
    for (size_t i = 0; i < box.size(); ++i) {
        sqlite3_bind_double(s, static_cast<int>(7 + i), box[i]);
    }
    sqlite3_bind_int64(s, 13, 0);
    sqlite3_bind_text(s, 14, type, -1, SQLITE_STATIC);
    sqlite3_bind_blob(s, 15, json.data(), static_cast<int>(json.size()), SQLITE_TRANSIENT);
    const bool ok = sqlite3_step(s) == SQLITE_DONE;
    sqlite3_reset(s);
    return ok;
}

bool LogWriter::packet(int64_t time, int64_t micros, const char* phy, const std::string& mac,
                       int channel, const Step* step, int signal) {
    sqlite3_stmt* s = m_packet.get();
    const bool fix = step != nullptr && step->fix == Fix::Position;
    ++m_packets;
    sqlite3_bind_int64(s, 1, time);
    sqlite3_bind_int64(s, 2, micros);
    sqlite3_bind_text(s, 3, phy, -1, SQLITE_STATIC);
    sqlite3_bind_text(s, 4, mac.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(s, 5, "FF:FF:FF:FF:FF:FF", -1, SQLITE_STATIC);
    sqlite3_bind_text(s, 6, mac.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_double(s, 7, 2407000.0 + 5000.0 * channel);
    sqlite3_bind_text(s, 8, "0", -1, SQLITE_STATIC);
    sqlite3_bind_double(s, 9, fix ? static_cast<double>(step->lat) / 1e7 : 0.0);
    sqlite3_bind_double(s, 10, fix ? static_cast<double>(step->lon) / 1e7 : 0.0);
    for (int column = 11; column <= 13; ++column) {
        sqlite3_bind_double(s, column, 0.0);
    }
    sqlite3_bind_int(s, 14, 0);
    sqlite3_bind_int(s, 15, signal);
    sqlite3_bind_text(s, 16, kSource, -1, SQLITE_STATIC);
    sqlite3_bind_int(s, 17, 127);
    sqlite3_bind_zeroblob(s, 18, 0);
    sqlite3_bind_int(s, 19, 0);
    sqlite3_bind_text(s, 20, "", -1, SQLITE_STATIC);
    sqlite3_bind_double(s, 21, 54.0);
    sqlite3_bind_int64(s, 22, m_packets * 2654435761 % 4294967296);
    sqlite3_bind_int64(s, 23, m_packets);
    sqlite3_bind_int(s, 24, 0);
    const bool ok = sqlite3_step(s) == SQLITE_DONE;
    sqlite3_reset(s);
    return ok;
}

std::vector<Span> spansOf(const Survey& survey) {
    std::vector<Span> spans(survey.aps.size());
    std::vector<bool> heard(survey.aps.size(), false);
    forEachReading(survey, [&](const HeardReading& reading) {
        Span& span = spans[reading.ap];
        const Step& step = survey.steps[reading.step];
        span.first = heard[reading.ap] ? span.first : step.time;
        span.last = step.time;
        span.strongest = std::max(span.strongest, reading.signal - 149);
        heard[reading.ap] = true;
        if (step.fix == Fix::Position) {
            const double lat = static_cast<double>(step.lat) / 1e7;
            const double lon = static_cast<double>(step.lon) / 1e7;
            const bool firstFix = span.fixes++ == 0;
            span.minLat = firstFix ? lat : std::min(span.minLat, lat);
            span.minLon = firstFix ? lon : std::min(span.minLon, lon);
            span.maxLat = firstFix ? lat : std::max(span.maxLat, lat);
            span.maxLon = firstFix ? lon : std::max(span.maxLon, lon);
            span.sumLat += lat;
            span.sumLon += lon;
        }
    });
    return spans;
}

// A client of every seventh access point and a Bluetooth device beside
// every eleventh; their packets come with the access point's own.
std::string clientMac(size_t ap) {
    char text[18];
    std::snprintf(text, sizeof text, "5E:3A:%02X:%02X:%02X:01",
                  static_cast<unsigned>(ap >> 16 & 0xFF), static_cast<unsigned>(ap >> 8 & 0xFF),
                  static_cast<unsigned>(ap & 0xFF));
    return text;
}

std::string bluetoothMac(size_t ap) {
    std::string mac = clientMac(ap);
    return mac.replace(0, 5, "AC:DE");
}

bool writeAll(LogWriter& log, const Survey& survey) {
    if (!log.exec(kSchema) || !log.open() ||
        !log.exec(("INSERT INTO KISMET VALUES ('2022-08-R1', " + std::to_string(kDbVersion) +
                   ", 'kismetlog'); INSERT INTO datasources VALUES ('" + kSource +
                   "', 'linuxwifi', 'wlan0', 'wlan0', 'wlan0', '{}');")
                      .c_str())) {
        return false;
    }
    const std::vector<Span> spans = spansOf(survey);
    std::vector<std::string> macs;
    for (size_t i = 0; i < survey.aps.size(); ++i) {
        const AccessPoint& ap = survey.aps[i];
        macs.push_back(upperMac(ap.bssid));
        if (!log.device(macs[i], "IEEE802.11", ap.adhoc ? "Wi-Fi Ad-Hoc" : "Wi-Fi AP", spans[i],
                        apRecord(ap, i, macs[i]))) {
            return false;
        }
        const std::string other = i % 7 == 3 ? clientMac(i) : i % 11 == 5 ? bluetoothMac(i) : "";
        if (!other.empty()) {
            const bool client = i % 7 == 3;
            const std::string json = std::string("{\"kismet.device.base.type\": \"") +
                                     (client ? "Wi-Fi Client" : "BR/EDR") + "\"}";
            if (!log.device(other, client ? "IEEE802.11" : "Bluetooth",
                            client ? "Wi-Fi Client" : "BR/EDR", spans[i], json)) {
                return false;
            }
        }
    }
    bool ok = true;
    size_t lastStep = SIZE_MAX;
    int64_t inStep = 0;
    forEachReading(survey, [&](const HeardReading& reading) {
        const AccessPoint& ap = survey.aps[reading.ap];
        const Step& step = survey.steps[reading.step];
        inStep = reading.step == lastStep ? inStep + 1 : 0;
        lastStep = reading.step;
        ok = ok && log.packet(step.time, inStep, "IEEE802.11", macs[reading.ap], ap.channel, &step,
                              reading.signal - 149);
        if (reading.ap % 7 == 3 && reading.step % 3 == 0) {
            ok = ok && log.packet(step.time, inStep, "IEEE802.11", clientMac(reading.ap),
                                  ap.channel, &step, reading.signal - 140);
        }
        if (reading.ap % 11 == 5 && reading.step % 4 == 0) {
            ok = ok && log.packet(step.time, inStep, "Bluetooth", bluetoothMac(reading.ap), 0,
                                  &step, -70);
        }
    });
    return ok;
}

} // namespace

std::string writeKismetLog(const Survey& survey, const std::string& path) {
    std::remove(path.c_str());
    sqlite3* opened = nullptr;
    const int result = sqlite3_open(path.c_str(), &opened);
    const std::unique_ptr<sqlite3, DbCloser> db(opened);
    if (result != SQLITE_OK) {
        return sqlite3_errstr(result);
    }
    LogWriter log(db.get());
    // One transaction and no journal: the log is written once, front to back.
    const bool ok = log.exec("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN") &&
                    writeAll(log, survey) && log.exec("COMMIT");
    return ok ? "" : sqlite3_errmsg(db.get());
}

} // namespace wavemark
