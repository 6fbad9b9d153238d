#pragma once

#include "platform/CsvRecords.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace wavemark {

// Line 1 of a WiGLE CSV file is itself a CSV record whose first field is the
// format version, "WigleWifi-1.4" or "WigleWifi-1.6".
bool IsWiglePreHeader(const CsvRecord& record);

// Where the columns the reader uses stand, by the names line 2 gives them.
// 1.4 writes MAC,SSID,AuthMode,FirstSeen,Channel,RSSI,CurrentLatitude,
// CurrentLongitude,AltitudeMeters,AccuracyMeters,Type; 1.6 adds Frequency
// after Channel and RCOIs,MfgrId before Type. Some writers name a version and
// write the other's columns, so names count, not places, and columns the
// reader does not use may stand anywhere.
struct WigleColumns {
    static constexpr size_t kAbsent = SIZE_MAX;

    size_t mac = kAbsent;
    size_t ssid = kAbsent;
    size_t authMode = kAbsent;
    size_t firstSeen = kAbsent;
    size_t rssi = kAbsent;
    size_t latitude = kAbsent;
    size_t longitude = kAbsent;
    size_t type = kAbsent; // a file without it holds Wi-Fi rows only
    // The fields a row needs for all columns but Type.
    size_t fieldsBeforeType = 0;
};

// The columns of a header record (names compared without letter case or
// blanks around them; the first of two equal names counts), or nothing when
// one the reader needs is missing: `missing` then names it.
std::optional<WigleColumns> FindWigleColumns(const CsvRecord& header, std::string_view& missing);

} // namespace wavemark
