#include "survey/SurveyFormat.h"

namespace wavemark {

SurveyFormat RecognizeSurvey(std::string_view start) {
    // The version after the signature is a small number: a text never holds
    // those zero bytes.
    if (start.size() >= 8 && start.starts_with("NetS") &&
        start.substr(5, 3) == std::string_view("\0\0\0", 3)) {
        return SurveyFormat::Ns1;
    }
    // Some writers put a UTF-8 byte order mark before the first line.
    if (start.starts_with("WigleWifi-") || start.starts_with("\xEF\xBB\xBFWigleWifi-")) {
        return SurveyFormat::WigleCsv;
    }
    const std::string_view firstLine = start.substr(0, start.find_first_of("\r\n"));
    if (firstLine.find("Network Stumbler") != std::string_view::npos) {
        return SurveyFormat::NetStumblerExport;
    }
    return SurveyFormat::Unknown;
}

} // namespace wavemark
