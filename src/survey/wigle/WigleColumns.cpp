#include "survey/wigle/WigleColumns.h"

#include "platform/AsciiLetters.h"
#include "platform/TextTrim.h"

#include <algorithm>
#include <array>
#include <utility>

namespace wavemark {

bool IsWiglePreHeader(const CsvRecord& record) {
    return record[0].starts_with("WigleWifi-");
}

std::optional<WigleColumns> FindWigleColumns(const CsvRecord& header, std::string_view& missing) {
    WigleColumns columns;
    const std::array<std::pair<std::string_view, size_t*>, 8> wanted{{
        {"MAC", &columns.mac},
        {"SSID", &columns.ssid},
        {"AuthMode", &columns.authMode},
        {"FirstSeen", &columns.firstSeen},
        {"RSSI", &columns.rssi},
        {"CurrentLatitude", &columns.latitude},
        {"CurrentLongitude", &columns.longitude},
        {"Type", &columns.type},
    }};
    const size_t stored = std::min(header.count, CsvRecord::kStored);
    for (size_t i = stored; i-- > 0;) {
        const std::string_view name = Trim(header[i], kBlanks);
        for (const auto& [wantedName, place] : wanted) {
            if (SameAsciiLetters(name, wantedName)) {
                *place = i;
            }
        }
    }
    for (const auto& [name, place] : wanted) {
        if (*place == WigleColumns::kAbsent && place != &columns.type) {
            missing = name;
            return std::nullopt;
        }
        if (place != &columns.type) {
            columns.fieldsBeforeType = std::max(columns.fieldsBeforeType, *place + 1);
        }
    }
    return columns;
}

} // namespace wavemark
