#pragma once

#include "survey/SurveyFile.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace wavemark {

// How many first bytes tell the format.
inline constexpr size_t kFormatSignatureSize = 512;

// A survey format as the program knows it: how its first bytes (after any
// gzip compression) are told, never its name; its reader; for a format
// that keeps its readings in a second file, the reader of that file; and
// how messages, help, the open dialog and the output's list of inputs name
// it.
struct SurveyFormatInfo {
    bool (*isStartOf)(std::string_view start);
    SurveyReader read;
    SurveyReader readReadings; // nullptr when the file holds its readings
    std::string_view kinds;    // "WiGLE CSV files"
    std::string_view one;      // "a WiGLE CSV file"
    std::string_view pattern;
    std::string_view role;         // what its file is to a conversion: "survey"
    std::string_view readingsRole; // and the second file: "text export"
};

// A survey format, a row of the table below; null for a file of no known
// kind.
using SurveyFormat = const SurveyFormatInfo*;

// Every survey format, the most particular signature first.
std::span<const SurveyFormatInfo> SurveyFormats();

// Whether a file of `format` holds its readings beside its access points.
bool HoldsReadings(SurveyFormat format);

// The format of a survey by its first bytes, null for none.
SurveyFormat RecognizeSurvey(std::string_view start);

// "NetStumbler NS1 logs, WiGLE CSV files and NetStumbler summary and text
// exports": what the program reads, for help and messages.
std::string SurveyKindsRead();

// The open dialog's patterns of every format, "*.ns1;*.csv;*.txt".
std::string SurveyPatterns();

// What a file of no known kind is, by its first bytes, for the user: "Is
// empty", "Is UTF-16 text", "Has NS1 version 256, which is not known", or
// that it is none of the files that hold their readings (NotASurveyText).
std::string DescribeUnknownSurvey(std::string_view start);
std::string NotASurveyText();

} // namespace wavemark
