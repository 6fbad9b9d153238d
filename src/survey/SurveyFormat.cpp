#include "survey/SurveyFormat.h"

#include <cstdint>

namespace wavemark {
namespace {

constexpr size_t kNs1HeadSize = 8;

// UTF-16 text has a byte order mark, or, in its Latin part, a zero byte in
// every other place.
bool isUtf16(std::string_view start) {
    if (start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF")) {
        return true;
    }
    const size_t checked = start.size() & ~size_t{1};
    if (checked < 4) {
        return false;
    }
    bool evenZero = true;
    bool oddZero = true;
    for (size_t i = 0; i < checked; i += 2) {
        evenZero = evenZero && start[i] == '\0' && start[i + 1] != '\0';
        oddZero = oddZero && start[i + 1] == '\0' && start[i] != '\0';
    }
    return evenZero || oddZero;
}

} // namespace

SurveyFormat RecognizeSurvey(std::string_view start) {
    // The version after the signature is a small number: a text never holds
    // those zero bytes.
    if (start.size() >= kNs1HeadSize && start.starts_with("NetS") &&
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

std::string DescribeUnknownSurvey(std::string_view start) {
    if (start.empty()) {
        return "Is empty";
    }
    // A text never holds the zero bytes of a small version number.
    if (start.starts_with("NetS") && start.size() >= kNs1HeadSize &&
        start.substr(4, 4).find('\0') != std::string_view::npos) {
        uint32_t version = 0;
        for (size_t i = kNs1HeadSize; i-- > 4;) {
            version = version << 8 | static_cast<uint8_t>(start[i]);
        }
        return "Has NS1 version " + std::to_string(version) + ", which is not known";
    }
    if (isUtf16(start)) {
        return "Is UTF-16 text";
    }
    if (start.size() < kNs1HeadSize) {
        return "Is " + std::to_string(start.size()) + (start.size() == 1 ? " byte" : " bytes") +
               " long, too short for any survey";
    }
    return kNotASurveyText;
}

} // namespace wavemark
