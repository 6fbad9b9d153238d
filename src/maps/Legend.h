#pragma once

#include "convert/ConversionData.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace wavemark {

// What the map formats that name and colour things by themselves (GPX, KML,
// GeoJSON) show alike, so a survey reads the same in every viewer.

// The document's title, "Wi-Fi survey 2004-04-08", in the log date's bytes.
std::string SurveyTitle(std::string_view logDate);

// How a network class is named, typed and coloured.
struct ClassLegend {
    std::string_view name; // "open", "protected", "ad-hoc"
    std::string_view type; // "Wi-Fi open", "Wi-Fi protected", "Wi-Fi ad-hoc"
    int32_t color;         // the marker's, 0x00BBGGRR: green, red, blue
};
const ClassLegend& LegendOf(NetworkClass networkClass);

// The width in pixels of a track line style; 2 for a code no style carries.
int LineWidth(int16_t lineStyle);

// "00:0b:86:c2:e1:40" from the survey's "( 00:0b:86:c2:e1:40 )".
std::string_view BareBssid(std::string_view bssid);

} // namespace wavemark
