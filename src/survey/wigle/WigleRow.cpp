#include "survey/wigle/WigleRow.h"

#include "survey/AccessPoint.h"
#include "survey/MacAddress.h"

#include <functional>
#include <optional>

namespace wavemark {
namespace {

// No radio gives a dBm beyond 16 bits: a value past them is no measurement
// (1e300 would make an infinite signal), and a float holds every one within.
constexpr double kLowestRssi = -32768.0;
constexpr double kHighestRssi = 32767.0;

} // namespace

AuthClass WigleRowReader::authClass(std::string_view text) {
    // Open addressing over a few slots; when all are taken, the text's own
    // slot is given to it.
    constexpr size_t kProbes = 4;
    const size_t home = std::hash<std::string_view>{}(text);
    for (size_t probe = 0; probe < kProbes; ++probe) {
        KnownAuth& known = m_knownAuth[(home + probe) % m_knownAuth.size()];
        if (!known.known) {
            known = {std::string(text), ClassifyAuthMode(text), true};
        }
        if (known.text == text) {
            return known.auth;
        }
    }
    KnownAuth& known = m_knownAuth[home % m_knownAuth.size()];
    known = {std::string(text), ClassifyAuthMode(text), true};
    return known.auth;
}

void PickWigleFields(const CsvRecord& row, const WigleColumns& columns, WigleRowFields& picked) {
    using F = WigleRowFields;
    picked.typeChecked = columns.type != WigleColumns::kAbsent;
    picked.typeMissing = false;
    picked.field[F::Type] = {};
    if (picked.typeChecked) {
        // Kismet's live log writes 12 values under its 14 names on Wi-Fi
        // rows: the Type then comes last, under RCOIs.
        if (row.count > columns.type) {
            picked.field[F::Type] = row[columns.type];
        } else if (row.count >= columns.fieldsBeforeType && IsRadioTypeName(row.last())) {
            picked.field[F::Type] = row.last();
        } else {
            picked.typeMissing = true;
        }
    }
    picked.allBeforeType = row.count >= columns.fieldsBeforeType;
    picked.field[F::Mac] = row[columns.mac];
    picked.field[F::Ssid] = row[columns.ssid];
    picked.field[F::AuthMode] = row[columns.authMode];
    picked.field[F::FirstSeen] = row[columns.firstSeen];
    picked.field[F::Rssi] = row[columns.rssi];
    picked.field[F::Latitude] = row[columns.latitude];
    picked.field[F::Longitude] = row[columns.longitude];
}

WigleRow WigleRowReader::read(const WigleRowFields& row) {
    using F = WigleRowFields;
    WigleRow read;
    if (row.typeChecked) {
        if (row.typeMissing) {
            return read;
        }
        if (!IsWifiType(row[F::Type])) {
            read.kind = WigleRowKind::OtherRadio;
            return read;
        }
    }
    if (!row.allBeforeType) {
        return read;
    }
    const auto mac = ParseMac(row[F::Mac]);
    const auto moment = m_firstSeen.read(row[F::FirstSeen]);
    const auto rssi = ParseDecimal(row[F::Rssi]);
    const auto lat = ParseDecimal(row[F::Latitude]);
    const auto lon = ParseDecimal(row[F::Longitude]);
    if (!mac || !moment || !rssi || !lat || !lon || *rssi < kLowestRssi || *rssi > kHighestRssi) {
        return read;
    }
    if (*lat < -90.0 || *lat > 90.0 || *lon < -180.0 || *lon > 180.0) {
        read.kind = WigleRowKind::OutOfRange;
        return read;
    }
    read = {.kind = WigleRowKind::Reading,
            .mac = *mac,
            .moment = *moment,
            .signal = static_cast<float>(*rssi + kSignalOverDbm),
            .lat = *lat,
            .lon = *lon,
            .auth = authClass(row[F::AuthMode]),
            .ssid = row[F::Ssid]};
    return read;
}

} // namespace wavemark
