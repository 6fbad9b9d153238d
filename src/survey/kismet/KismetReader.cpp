#include "survey/kismet/KismetReader.h"

#include "platform/ChunkedColumn.h"
#include "platform/FlatIndex.h"
#include "platform/SideBySide.h"
#include "platform/Windows1252.h"
#include "survey/BssidText.h"
#include "survey/MacAddress.h"
#include "survey/StrongestReading.h"
#include "survey/SurveyTime.h"
#include "survey/kismet/DeviceRecord.h"
#include "survey/kismet/KismetDatabase.h"
#include "survey/kismet/UnpackedLog.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wavemark {
namespace {

// Logs before version 5 keep positions as whole numbers of this many per
// degree.
constexpr int64_t kDegreesSinceVersion = 5;
constexpr double kOldPositionUnits = 100000.0;

constexpr std::string_view kWifiPhy = "IEEE802.11";

// An access point and what its packets add up to so far.
struct Heard {
    uint64_t address = 0;
    int64_t firstTime = 0;
    std::string name;
    Protection protection = Protection::Open;
    bool adHoc = false;
    int32_t group = -1; // made at its first reading
    // Before any packet, the device record's first time and strongest
    // signal.
    StrongestReading best;
};

struct Packet {
    int64_t seconds;
    int64_t micros;
    double lat;
    double lon;
    int32_t ap;
    float signal;
};

bool earlier(const Packet& a, const Packet& b) {
    return a.seconds != b.seconds ? a.seconds < b.seconds : a.micros < b.micros;
}

// The access points' packets of one stretch of the packets table.
struct PacketRun {
    ChunkedColumn<Packet> packets;
    int64_t outOfRange = 0;
    std::string failure; // SQLite's message; empty when the stretch was read
};

SurveyProblem sqliteProblem(std::string_view message) {
    return {0, "Cannot be read by SQLite: " + std::string(message)};
}

SurveyProblem sqliteProblem(const KismetDatabase& db) {
    return sqliteProblem(db.error());
}

class KismetLog {
public:
    KismetLog(const std::string& path, const KismetDatabase& db, SurveySink& sink)
        : m_path(path), m_db(db), m_sink(sink), m_readings(sink.groupedReadings()) {}

    SurveyProblem read();

private:
    SurveyProblem readVersion();
    SurveyProblem readDevices();
    void readPackets(const KismetDatabase& db, std::string_view rowids, PacketRun& run) const;
    SurveyProblem readPackets(PacketRun& first, PacketRun& second);
    void hear(const Packet& packet);
    void finish();

    const std::string& m_path;
    const KismetDatabase& m_db;
    SurveySink& m_sink;
    Readings& m_readings;
    int64_t m_version = 0;
    std::vector<Heard> m_aps;
    FlatIndex m_addresses; // an access point's index by its address
    std::optional<int64_t> m_latest;
};

SurveyProblem KismetLog::readVersion() {
    KismetQuery tables(m_db, "SELECT count(*) FROM sqlite_master "
                             "WHERE type = 'table' AND name = 'KISMET'");
    if (!tables.next()) {
        return sqliteProblem(m_db);
    }
    if (tables.integer(0) == 0) {
        return {0, "Is an SQLite database, not a Kismet log"};
    }
    KismetQuery version(m_db, "SELECT db_version FROM KISMET");
    if (!version.next()) {
        return version.failed() ? sqliteProblem(m_db)
                                : SurveyProblem{0, "Has no db_version in its KISMET table"};
    }
    m_version = version.integer(0);
    return {};
}

SurveyProblem KismetLog::readDevices() {
    KismetQuery devices(m_db, "SELECT devmac, phyname, first_time, strongest_signal, device "
                              "FROM devices");
    DeviceRecordReader reader;
    DeviceRecord record;
    int64_t otherRadios = 0;
    int64_t otherWifi = 0;
    int64_t unreadable = 0;
    while (devices.next()) {
        if (devices.text(1) != kWifiPhy) {
            ++otherRadios;
            continue;
        }
        const auto address = ParseMac(devices.text(0));
        if (!address || !reader.read(devices.text(4), record)) {
            ++unreadable;
            continue;
        }
        if (record.kind == DeviceRecord::Kind::Other) {
            ++otherWifi;
            continue;
        }
        Heard& ap = m_aps.emplace_back();
        ap.address = *address;
        ap.firstTime = devices.integer(2);
        ap.name = Utf8OrWindows1252(record.ssid);
        ap.protection = IsProtectedCrypt(record.crypt) ? Protection::Protected : Protection::Open;
        ap.adHoc = record.kind == DeviceRecord::Kind::AdHoc;
        ap.best.time = ap.firstTime;
        ap.best.signal =
            static_cast<float>(static_cast<double>(devices.integer(3)) + kSignalOverDbm);
    }
    if (devices.failed()) {
        return sqliteProblem(m_db);
    }
    // Kismet rewrites a device's row as it learns more of it: the rows'
    // order is that of their last change.
    std::stable_sort(m_aps.begin(), m_aps.end(),
                     [](const Heard& a, const Heard& b) { return a.firstTime < b.firstTime; });
    for (size_t i = 0; i < m_aps.size(); ++i) {
        m_addresses.insert(m_aps[i].address, static_cast<int32_t>(i));
    }
    m_sink.leftOut("Wi-Fi devices other than access points", otherWifi);
    m_sink.leftOut("devices of radios other than Wi-Fi", otherRadios);
    m_sink.leftOut("device records that do not read", unreadable);
    return {};
}

void KismetLog::readPackets(const KismetDatabase& db, std::string_view rowids,
                            PacketRun& run) const {
    KismetQuery rows(db, "SELECT sourcemac, ts_sec, ts_usec, lat, lon, signal FROM packets "
                         "WHERE phyname = 'IEEE802.11' AND rowid " +
                             std::string(rowids));
    const double scale = m_version < kDegreesSinceVersion ? kOldPositionUnits : 1.0;
    while (rows.next()) {
        const auto address = ParseMac(rows.text(0));
        const int32_t ap = address ? m_addresses.find(*address) : -1;
        if (ap < 0) {
            continue;
        }
        const double lat = rows.real(3) / scale;
        const double lon = rows.real(4) / scale;
        if (lat < -90.0 || lat > 90.0 || lon < -180.0 || lon > 180.0) {
            ++run.outOfRange;
            continue;
        }
        run.packets.push(
            {rows.integer(1), rows.integer(2), lat, lon, ap,
             static_cast<float>(static_cast<double>(rows.integer(5)) + kSignalOverDbm)});
    }
    if (rows.failed()) {
        run.failure = db.error();
    }
}

// SQLite steps through rows one at a time, most of the reader's work: two
// connections read the two halves of the table's rowids side by side, and
// the halves put together are the table in its own order.
SurveyProblem KismetLog::readPackets(PacketRun& first, PacketRun& second) {
    // One of min() and max() each, so that SQLite looks up either end
    // rather than scanning the table.
    KismetQuery span(m_db, "SELECT (SELECT min(rowid) FROM packets), "
                           "(SELECT max(rowid) FROM packets)");
    if (!span.next()) {
        return sqliteProblem(m_db);
    }
    const auto low = static_cast<uint64_t>(span.integer(0));
    const auto high = static_cast<uint64_t>(span.integer(1));
    const std::string middle = std::to_string(static_cast<int64_t>(low + (high - low) / 2));
    KismetDatabase other;
    RunSideBySide([&] { readPackets(m_db, "<= " + middle, first); },
                  [&] {
                      if (other.open(m_path)) {
                          readPackets(other, "> " + middle, second);
                      } else {
                          second.failure = other.error();
                      }
                  });
    for (const PacketRun* run : {&first, &second}) {
        if (!run->failure.empty()) {
            return sqliteProblem(run->failure);
        }
    }
    m_sink.leftOut("packets with coordinates out of range", first.outOfRange + second.outOfRange);
    return {};
}

void KismetLog::hear(const Packet& packet) {
    Heard& ap = m_aps[static_cast<size_t>(packet.ap)];
    if (!m_latest || packet.seconds > *m_latest) {
        m_latest = packet.seconds;
    }
    ap.best.hear(packet.lat, packet.lon, packet.seconds, packet.signal);
    if (IsPosition(packet.lat, packet.lon)) {
        if (ap.group < 0) {
            ap.group = m_sink.groupOf(BssidText(ap.address));
        }
        m_readings.add(ap.group, packet.lat, packet.lon, packet.seconds, packet.signal,
                       ap.protection);
    }
}

void KismetLog::finish() {
    for (const Heard& ap : m_aps) {
        const std::string bssid = BssidText(ap.address);
        m_sink.accessPoint({.networkName = ap.name,
                            .bssid = bssid,
                            .hasPosition = ap.best.positioned,
                            .lat = ap.best.lat,
                            .lon = ap.best.lon,
                            .time = ap.best.time,
                            .signal = ap.best.signal,
                            .protection = ap.protection,
                            .adHoc = ap.adHoc});
    }
    if (m_latest) {
        m_sink.logDate(CalendarDate(DayOf(*m_latest)));
    }
}

SurveyProblem KismetLog::read() {
    if (SurveyProblem problem = readVersion(); !problem.none()) {
        return problem;
    }
    if (SurveyProblem problem = readDevices(); !problem.none()) {
        return problem;
    }
    PacketRun first;
    PacketRun second;
    if (SurveyProblem problem = readPackets(first, second); !problem.none()) {
        return problem;
    }
    const size_t count = first.packets.size() + second.packets.size();
    const auto packet = [&](size_t i) {
        return i < first.packets.size() ? first.packets[i]
                                        : second.packets[i - first.packets.size()];
    };
    bool inOrder = true;
    for (size_t i = 1; i < count && inOrder; ++i) {
        inOrder = !earlier(packet(i), packet(i - 1));
    }
    if (inOrder) {
        first.packets.drain([&](const Packet& p) { hear(p); });
        second.packets.drain([&](const Packet& p) { hear(p); });
    } else {
        // Kismet writes packets as they come, and the clocks of several
        // sources may disagree by a little.
        std::vector<size_t> order(count);
        std::iota(order.begin(), order.end(), size_t{0});
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return earlier(packet(a), packet(b)); });
        for (const size_t i : order) {
            hear(packet(i));
        }
    }
    finish();
    return {};
}

} // namespace

SurveyProblem ReadKismetLog(ByteStream& stream, SurveySink& sink) {
    UnpackedLog unpacked;
    std::string path = stream.path();
    if (stream.isCompressed()) {
        if (const int error = unpacked.unpack(stream)) {
            return {error, ""};
        }
        path = unpacked.path();
    } else if (!stream.isRegularFile()) {
        return {0, "Is a Kismet log on a pipe: SQLite needs a file it can seek"};
    }
    KismetDatabase db;
    if (!db.open(path)) {
        return sqliteProblem(db);
    }
    return KismetLog(path, db, sink).read();
}

} // namespace wavemark
