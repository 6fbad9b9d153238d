#pragma once

#include "platform/LineStream.h"
#include "survey/AccessPoint.h"
#include "survey/CapabilityFlags.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wavemark {

// The layout both NetStumbler exports share. Line 1 names the program, line 4
// is "# $DateGMT: yyyy-mm-dd", and from line 5 on come data lines and further
// date lines. A data line holds TAB-separated columns; the readers use:
//   0  "N 47.3770150"          latitude, negated for "S"
//   1  "E 8.5390250"           longitude, negated for "W"
//   2  "( public )"            network name inside the brackets, trimmed
//   4  "( 00:0b:86:c2:e1:40 )" BSSID, kept as written
//   5  "12:34:56 (GMT)"        clock time, first 8 characters
//   6  "[ 20 70 50 ]"          SNR, signal, noise: the signal is the level
//   8  "0011"                  capability field in hex (see CapabilityFlags.h)
// All texts are the export's Windows-1252 bytes, compared exactly; the
// readers hand them on as UTF-8.

inline constexpr std::string_view kDateLineTag = "# $DateGMT:";

// What a reader counts lines that are not data lines under: a blank line and
// a "#" line (a header line, or one of a second header where two exports
// were joined) are none of them.
inline constexpr const char* kMalformedLines = "malformed lines";
bool IsMalformedLine(std::string_view line);

// Line 1 of an export contains "Network Stumbler", in this letter case.
bool IsNetStumblerExport(std::string_view firstLine);

bool IsDateLine(std::string_view line);

// The date text of a date line: everything from character 13 on.
std::string_view DateText(std::string_view line);

// The date in force while a reader walks the lines, parsed once per date line;
// it keeps its own copy, as a streamed line does not stay.
class DateInForce {
public:
    explicit DateInForce(std::string_view text = {});
    std::string_view text() const { return m_text; }
    const std::optional<int64_t>& day() const { return m_day; }

private:
    std::string m_text;
    std::optional<int64_t> m_day;
};

// Reads the header of an export, lines 1 to 4: the date of line 4, none
// when the export ends sooner.
DateInForce ReadHeaderDate(LineStream& lines);

// What the readers take from one well-formed data line.
struct ExportReading {
    double lat = 0.0;
    double lon = 0.0;
    std::string_view networkName; // trimmed
    std::string_view bssid;       // column 4 as written
    int64_t time = 0;             // UTC seconds
    float signal = 0.0f;
    char wepDigit = '0';
    char modeDigit = '0';

    bool hasPosition() const { return IsPosition(lat, lon); }
    bool isAdHoc() const { return IsAdHocFlagChar(modeDigit); }
    Protection protection() const { return ProtectionOfFlagChar(wepDigit); }
};

// Reads a data line, or nothing when it is not well formed: fewer than 9 or
// more than `maxColumns` columns, a column shorter than its brackets, no
// signal number, or a date and time that is no valid moment within 2^31
// seconds of 1989-12-31. Such a line counts nowhere.
std::optional<ExportReading> ReadDataLine(std::string_view line, const DateInForce& date,
                                          size_t maxColumns);

inline constexpr size_t kAnyColumnCount = SIZE_MAX;
inline constexpr size_t kTextExportColumnLimit = 13;

} // namespace wavemark
