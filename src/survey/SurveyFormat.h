#pragma once

#include <cstddef>
#include <string_view>

namespace wavemark {

enum class SurveyFormat { NetStumblerExport, Ns1, WigleCsv, Unknown };

// How many first bytes tell the format.
inline constexpr size_t kFormatSignatureSize = 512;

// The format of a survey by its first bytes (after any gzip compression),
// never by its name: NetStumbler's exports name the program in line 1, an
// NS1 log starts with "NetS", a WiGLE CSV file with "WigleWifi-".
SurveyFormat RecognizeSurvey(std::string_view start);

} // namespace wavemark
