#pragma once

#include "survey/AccessPoint.h"
#include "survey/netstumbler/ExportLine.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace wavemark {

// A text export reading as NetStumbler writes it, read in one pass without
// copies: "N 47.3770150", "E 8.5390250", "( name )", any type,
// "( 00:0b:86:c2:e1:40 )" in lowercase hex, "12:34:56 (GMT)",
// "[ 20 70 50 ]" with whole numbers, any name column, four or more flag
// characters, and at most 13 columns in all.
struct LeanReading {
    double lat = 0.0;
    double lon = 0.0;
    uint64_t address = 0; // the BSSID's 48 bits
    int64_t time = 0;     // UTC seconds
    float signal = 0.0f;
    Protection protection = Protection::Open;
};

// Reads the line at the start of `text` when it has that layout and is well
// formed by the general rules (see ReadDataLine), giving the bytes it takes
// with its line end; 0 for any other line, which the general reader then
// reads. For every line it reads, it gives what ReadDataLine gives.
size_t ReadLeanLine(std::string_view text, const DateInForce& date, LeanReading& reading);

} // namespace wavemark
