#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace wavemark {

enum class SurveyFormat { NetStumblerExport, Ns1, WigleCsv, Unknown };

// How many first bytes tell the format.
inline constexpr size_t kFormatSignatureSize = 512;

// The format of a survey by its first bytes (after any gzip compression),
// never by its name: NetStumbler's exports name the program in line 1, an
// NS1 log starts with "NetS", a WiGLE CSV file with "WigleWifi-".
SurveyFormat RecognizeSurvey(std::string_view start);

// What a file of no known kind is, by its first bytes, for the user: "Is
// empty", "Is UTF-16 text", "Has NS1 version 256, which is not known", or
// that it is none of the kinds read.
std::string DescribeUnknownSurvey(std::string_view start);
inline constexpr const char* kNotASurveyText = "Is not an NS1 log or a WiGLE CSV file";

} // namespace wavemark
