#pragma once

#include "platform/SplitLines.h"
#include "survey/netstumbler/ExportLine.h"
#include "survey/netstumbler/LeanLine.h"

#include <array>
#include <bit>
#include <string>
#include <string_view>

namespace wavemark::test {

// "" when the lean reader gives for the line at the start of `text` what the
// general reader gives (or leaves the line to it), else what differs.
inline std::string LeanDisagreement(std::string_view text, const DateInForce& date) {
    LeanReading lean;
    const size_t taken = ReadLeanLine(text, date, lean);
    if (taken == 0) {
        return "";
    }
    std::string_view rest = text;
    std::string_view line;
    TakeLine(rest, line);
    if (taken != text.size() - rest.size()) {
        return "took " + std::to_string(taken) + " bytes of a " +
               std::to_string(text.size() - rest.size()) + "-byte line";
    }
    const auto general = ReadDataLine(line, date, kTextExportColumnLimit);
    if (!general) {
        return "read a line the general reader leaves out";
    }
    const auto bits = [](auto value) {
        return std::bit_cast<std::array<char, sizeof(value)>>(value);
    };
    std::string address = "( ";
    for (int shift = 40; shift >= 0; shift -= 8) {
        constexpr char kHex[] = "0123456789abcdef";
        address += kHex[lean.address >> (shift + 4) & 0xF];
        address += kHex[lean.address >> shift & 0xF];
        address += shift > 0 ? ":" : " )";
    }
    if (bits(lean.lat) != bits(general->lat) || bits(lean.lon) != bits(general->lon)) {
        return "another position";
    }
    if (address != general->bssid) {
        return "another BSSID: " + address;
    }
    if (lean.time != general->time || bits(lean.signal) != bits(general->signal) ||
        lean.protection != general->protection()) {
        return "another time, signal or protection";
    }
    return "";
}

} // namespace wavemark::test
