#pragma once

#include "convert/WaypointPosition.h"

#include <cstdint>
#include <string>

namespace wavemark {

// The options a user sets, named after their keys in Wavemark.ini. Texts are
// held in the system's local 8-bit encoding (UTF-8 on Linux), exactly as they
// are typed or stored; the conversion turns the filter and the font name into
// Windows-1252 where they meet export or GTM bytes.
struct Settings {
    std::string SummaryFilePath{};
    std::string TextFilePath{};
    std::string OutputPath{};
    std::string OutputPrefix{};

    // Check box states: 0 cleared, 1 set, 2 greyed.
    int16_t NoWEPCheck = 0;
    std::string APFilter{};
    int16_t TConvertEnabled = 0;

    // Codes of the code tables: symbol, display style.
    int16_t IconNoWEP = 0;
    int16_t IconWEP = 0;
    int16_t StyleNoWEP = 0;
    int16_t StyleWEP = 0;

    std::string WPFontName{};
    int16_t WPFontSize = 0;
    bool WPFontBold = false;
    bool WPFontItalic = false;
    bool WPFontUnderl = false;
    int32_t WPFontColor = 0; // 0x00BBGGRR
    bool WPTBoxBack = false;
    int32_t WPTBoxBackColor = 0;
    int16_t WPTBoxBorder = 0;

    int16_t TChangeColors = 0;
    int32_t TColorNoWep = 0;
    int32_t TColorWep = 0;
    int16_t TLineNoWep = 0; // line style codes
    int16_t TLineWep = 0;

    WaypointPosition Waypoint = WaypointPosition::Strongest; // [Positions]

    bool operator==(const Settings&) const = default;
};

} // namespace wavemark
