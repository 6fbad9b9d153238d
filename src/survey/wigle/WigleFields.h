#pragma once

#include "survey/AccessPoint.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace wavemark {

// The values of single WiGLE CSV fields. Blanks and tabs around a field are
// ignored.

// `text` without the characters `a` and `b` at either end. Fields seldom
// have any, so this looks at the ends only.
constexpr std::string_view TrimEnds(std::string_view text, char a, char b) {
    while (!text.empty() && (text.front() == a || text.front() == b)) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == a || text.back() == b)) {
        text.remove_suffix(1);
    }
    return text;
}
constexpr std::string_view TrimBlanks(std::string_view text) {
    return TrimEnds(text, ' ', '\t');
}

// A decimal number: an optional sign, digits with an optional "." and
// fraction, an optional exponent. Nothing for an empty field, for any other
// character, and for values too large to be finite. "." is the decimal
// point in every locale.
std::optional<double> ParseDecimal(std::string_view text);

// How an AuthMode (Android's capability list, or a firmware's own name)
// guards its network.
struct AuthClass {
    Protection protection = Protection::Open;
    bool adHoc = false;
};

// Protected when the field names WEP, WPA (WPA2, WPA3 included), RSN, PSK,
// EAP, SAE or OWE anywhere, in any letter case and spelling
// ("[WPA2-PSK-CCMP][ESS]", "WPA_WPA2_PSK", "wpa2"); ad-hoc when it names
// IBSS. Anything else ("[ESS]", "[OPEN]", an empty field) is open.
AuthClass ClassifyAuthMode(std::string_view text);

// A Type value of some WiGLE writer: WIFI, BT, BLE, GSM, CDMA, WCDMA, LTE,
// NR or NFC, in any letter case.
bool IsRadioTypeName(std::string_view text);
bool IsWifiType(std::string_view text);

} // namespace wavemark
