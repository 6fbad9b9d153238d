#pragma once

#include "platform/CsvTokenizer.h"
#include "survey/wigle/FirstSeen.h"
#include "survey/wigle/WigleColumns.h"
#include "survey/wigle/WigleFields.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace wavemark {

enum class WigleRowKind { Reading, OtherRadio, Malformed, OutOfRange };

// The fields of a row that its reading is made of, picked by column.
struct WigleRowFields {
    enum Field { Mac, Ssid, AuthMode, FirstSeen, Rssi, Latitude, Longitude, Type, kCount };

    std::array<std::string_view, kCount> field;
    bool typeChecked = false;   // the file has a Type column
    bool typeMissing = false;   // and the row no Type
    bool allBeforeType = false; // the row has every field the other columns need

    std::string_view operator[](Field f) const { return field[f]; }
};

// Sets every member of `picked`, which is reused from row to row.
void PickWigleFields(const CsvRecord& row, const WigleColumns& columns, WigleRowFields& picked);

// What a row says on its own, before the rows around it count.
struct WigleRow {
    WigleRowKind kind = WigleRowKind::Malformed;
    uint64_t mac = 0;
    FirstSeenMoment moment;
    float signal = 0.0f; // RSSI + 149
    double lat = 0.0;
    double lon = 0.0;
    AuthClass auth;
    std::string_view ssid;
};

// Reads rows one after another. The FirstSeen date of the row before is
// mostly that of the next, and a file holds few AuthMode texts, which the
// rows of many access points take turns with: both are kept with what they
// read.
class WigleRowReader {
public:
    WigleRow read(const WigleRowFields& row);

private:
    AuthClass authClass(std::string_view text);

    struct KnownAuth {
        std::string text;
        AuthClass auth;
        bool known = false;
    };

    FirstSeenReader m_firstSeen;
    std::array<KnownAuth, 16> m_knownAuth;
};

} // namespace wavemark
