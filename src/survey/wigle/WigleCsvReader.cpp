#include "survey/wigle/WigleCsvReader.h"

#include "platform/FlatIndex.h"
#include "platform/Windows1252.h"
#include "survey/BssidText.h"
#include "survey/MacAddress.h"
#include "survey/StrongestReading.h"
#include "survey/SurveyTime.h"
#include "survey/wigle/FirstSeen.h"
#include "survey/wigle/WigleColumns.h"
#include "survey/wigle/WigleFields.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wavemark {
namespace {

// No radio gives a dBm beyond 16 bits: a value past them is no measurement
// (1e300 would make an infinite signal), and a float holds every one within.
constexpr double kLowestRssi = -32768.0;
constexpr double kHighestRssi = 32767.0;

enum class RowKind { Reading, OtherRadio, Malformed, OutOfRange };

// What the rows of one MAC add up to so far.
struct Heard {
    int32_t group = 0;
    StrongestReading best;
    AuthClass auth;
    std::string ssid; // as the row writes it
    // The last AuthMode text and its class: it seldom changes.
    std::string authText;
    AuthClass authTextClass;
};

class WigleRows {
public:
    WigleRows(SurveySink& sink, const WigleColumns& columns)
        : m_sink(sink), m_readings(sink.groupedReadings()), m_columns(columns) {}

    RowKind read(const CsvRecord& row);
    void finish();

private:
    SurveySink& m_sink;
    Readings& m_readings;
    const WigleColumns m_columns;
    FirstSeenReader m_firstSeen;
    FlatIndex m_macs; // numbers the MACs in the order they are first met
    std::vector<Heard> m_heard;
    std::optional<FirstSeenMoment> m_latest;
};

RowKind WigleRows::read(const CsvRecord& row) {
    if (m_columns.type != WigleColumns::kAbsent) {
        // Kismet's live log writes 12 values under its 14 names on Wi-Fi
        // rows: the Type then comes last, under RCOIs.
        std::string_view type;
        if (row.count > m_columns.type) {
            type = row[m_columns.type];
        } else if (row.count >= m_columns.fieldsBeforeType && IsRadioTypeName(row.last())) {
            type = row.last();
        } else {
            return RowKind::Malformed;
        }
        if (!IsWifiType(type)) {
            return RowKind::OtherRadio;
        }
    }
    if (row.count < m_columns.fieldsBeforeType) {
        return RowKind::Malformed;
    }
    const auto mac = ParseMac(row[m_columns.mac]);
    const auto moment = m_firstSeen.read(row[m_columns.firstSeen]);
    const auto rssi = ParseDecimal(row[m_columns.rssi]);
    const auto lat = ParseDecimal(row[m_columns.latitude]);
    const auto lon = ParseDecimal(row[m_columns.longitude]);
    if (!mac || !moment || !rssi || !lat || !lon || *rssi < kLowestRssi || *rssi > kHighestRssi) {
        return RowKind::Malformed;
    }
    if (*lat < -90.0 || *lat > 90.0 || *lon < -180.0 || *lon > 180.0) {
        return RowKind::OutOfRange;
    }
    // Not before the row is sure to be read: a row left out dates nothing.
    const int64_t time = moment->seconds();
    if (!m_latest || time > m_latest->seconds()) {
        m_latest = moment;
    }

    const auto next = static_cast<int32_t>(m_heard.size());
    const int32_t index = m_macs.insert(*mac, next);
    const bool first = index == next;
    if (first) {
        m_heard.emplace_back().group = m_sink.groupOf(BssidText(*mac));
    }
    Heard& heard = m_heard[static_cast<size_t>(index)];
    // Blanks around a name are part of it: "Guest" and "Guest " are two
    // networks, and the name filter must see what the air carried.
    const std::string_view ssid = row[m_columns.ssid];
    if (!ssid.empty() && ssid != heard.ssid) {
        heard.ssid.assign(ssid);
    }
    const auto signal = static_cast<float>(*rssi + kSignalOverDbm);
    const std::string_view authText = row[m_columns.authMode];
    if (first || authText != heard.authText) {
        heard.authText.assign(authText);
        heard.authTextClass = ClassifyAuthMode(authText);
    }
    const AuthClass auth = heard.authTextClass;
    // The class is the waypoint's row's kind: the last row with a position,
    // or the last row while there is none.
    const bool placed = IsPosition(*lat, *lon);
    if (placed || !heard.best.positioned) {
        heard.auth = auth;
    }
    heard.best.hear(*lat, *lon, time, signal);
    if (placed) {
        m_readings.add(heard.group, *lat, *lon, time, signal, auth.protection);
    }
    return RowKind::Reading;
}

void WigleRows::finish() {
    for (size_t i = 0; i < m_heard.size(); ++i) {
        const Heard& heard = m_heard[i];
        const std::string name = Utf8OrWindows1252(heard.ssid);
        const std::string bssid = BssidText(m_macs.keyOf(static_cast<int32_t>(i)));
        m_sink.accessPoint({.networkName = name,
                            .bssid = bssid,
                            .hasPosition = heard.best.positioned,
                            .lat = heard.best.lat,
                            .lon = heard.best.lon,
                            .time = heard.best.time,
                            .signal = heard.best.signal,
                            .protection = heard.auth.protection,
                            .adHoc = heard.auth.adHoc});
    }
    if (m_latest) {
        m_sink.logDate(CalendarDate(m_latest->day));
    }
}

// The pre-header and the column line; the problem, and the line it is on,
// when they are not there.
SurveyProblem readHeader(CsvRecords& records, std::optional<WigleColumns>& columns) {
    CsvRecord record;
    if (!records.next(record)) {
        return {records.error(), records.error() == 0
                                     ? "Has no WigleWifi- line at its start (it holds no text)"
                                     : ""};
    }
    const std::string line = "line " + std::to_string(records.line());
    if (!IsWiglePreHeader(record)) {
        return {0, "Has no WigleWifi- line at its start (" + line +
                       " does not start with WigleWifi-)"};
    }
    if (!records.next(record)) {
        return {records.error(), records.error() == 0
                                     ? "Has no WiGLE column line (no text follows " + line + ")"
                                     : ""};
    }
    std::string_view missing;
    columns = FindWigleColumns(record, missing);
    if (!columns) {
        return {0, "Has no WiGLE column line (no " + std::string(missing) + " column in line " +
                       std::to_string(records.line()) + ")"};
    }
    return {};
}

} // namespace

SurveyProblem ReadWigleCsv(ByteStream& stream, SurveySink& sink, const CsvReadSizes& sizes) {
    CsvRecords records(stream, sizes);
    std::optional<WigleColumns> columns;
    if (SurveyProblem problem = readHeader(records, columns); !problem.none()) {
        return problem;
    }
    WigleRows rows(sink, *columns);
    int64_t otherRadios = 0;
    int64_t malformed = 0;
    int64_t outOfRange = 0;
    CsvRecord record;
    while (records.next(record)) {
        RowKind kind = rows.read(record);
        // A quote that opens a field and never closes on its line is taken
        // to be part of the text, unless the lines it joins make a row.
        if ((kind == RowKind::Malformed || kind == RowKind::OutOfRange) && record.spansLines) {
            records.splitFirstLinePlainly(record);
            kind = rows.read(record);
        }
        otherRadios += kind == RowKind::OtherRadio ? 1 : 0;
        malformed += kind == RowKind::Malformed ? 1 : 0;
        outOfRange += kind == RowKind::OutOfRange ? 1 : 0;
    }
    if (records.error() != 0) {
        return {records.error(), ""};
    }
    rows.finish();
    malformed += records.tooLong();
    sink.leftOut("rows of radios other than Wi-Fi", otherRadios);
    sink.leftOut("malformed rows", malformed);
    sink.leftOut("rows with coordinates out of range", outOfRange);
    return {};
}

} // namespace wavemark
