#include "maps/Legend.h"

#include <array>

namespace wavemark {

std::string SurveyTitle(std::string_view logDate) {
    std::string title = "Wi-Fi survey";
    if (!logDate.empty()) {
        title.append(" ").append(logDate);
    }
    return title;
}

const ClassLegend& LegendOf(NetworkClass networkClass) {
    static constexpr std::array<ClassLegend, 3> kLegends{{
        {"open", "Wi-Fi open", 0x00B000},
        {"protected", "Wi-Fi protected", 0x0000E0},
        {"ad-hoc", "Wi-Fi ad-hoc", 0xE06000},
    }};
    return kLegends[static_cast<size_t>(networkClass)];
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
