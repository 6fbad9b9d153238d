#include "maps/Legend.h"

namespace wavemark {

std::string SurveyTitle(std::string_view logDate) {
    std::string title = "Wi-Fi survey";
    if (!logDate.empty()) {
        title.append(" ").append(logDate);
    }
    return title;
}

std::string_view ClassName(NetworkClass networkClass) {
    switch (networkClass) {
    case NetworkClass::Open:
        return "open";
    case NetworkClass::Protected:
        return "protected";
    case NetworkClass::AdHoc:
        return "ad-hoc";
    }
    return "";
}

std::string_view ClassType(NetworkClass networkClass) {
    switch (networkClass) {
    case NetworkClass::Open:
        return "Wi-Fi open";
    case NetworkClass::Protected:
        return "Wi-Fi protected";
    case NetworkClass::AdHoc:
        return "Wi-Fi ad-hoc";
    }
    return "";
}

int32_t ClassColor(NetworkClass networkClass) {
    switch (networkClass) {
    case NetworkClass::Open:
        return 0x00B000;
    case NetworkClass::Protected:
        return 0x0000E0;
    case NetworkClass::AdHoc:
        return 0xE06000;
    }
    return 0;
}

int LineWidth(int16_t lineStyle) {
    switch (lineStyle) {
    case 2: // thick line
    case 3: // double lines
    case 5: // thick line with dash
        return 4;
    case 6: // line with cross
        return 3;
    case 17: // filled track
    case 18: // filled track with border
        return 6;
    default:
        return 2;
    }
}

std::string_view BareBssid(std::string_view bssid) {
    const size_t first = bssid.find_first_not_of("( ");
    if (first == std::string_view::npos) {
        return {};
    }
    const size_t last = bssid.find_last_not_of(" )");
    return bssid.substr(first, last - first + 1);
}

} // namespace wavemark
