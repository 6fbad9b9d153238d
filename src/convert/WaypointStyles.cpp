#include "convert/WaypointStyles.h"

#include "platform/Windows1252.h"

#include <cmath>

namespace wavemark {

void BuildWaypointStyles(const Settings& settings, ConversionData& data) {
    constexpr int16_t kStyleCount = 4;
    data.WptStyleCount = kStyleCount;
    data.WptStyles.assign(kStyleCount + 1, WaypointStyle{});
    for (int16_t k = 1; k <= kStyleCount; ++k) {
        WaypointStyle& style = data.WptStyles[static_cast<size_t>(k)];
        // Points to the font's pixel height, negative as GTM readers expect;
        // 9 points give -12.
        style.Height = static_cast<int32_t>(std::floor(settings.WPFontSize * -1.3333));
        style.FaceName = ToWindows1252(settings.WPFontName);
        style.Display = static_cast<uint8_t>(k - 1);
        style.Color = settings.WPFontColor;
        style.Weight = settings.WPFontBold ? 700 : 400;
        style.Scale = 0;
        style.Border = static_cast<uint8_t>(settings.WPTBoxBorder);
        style.Background = (k == kStyleCount && settings.WPTBoxBack) ? -1 : 0;
        style.BackColor = settings.WPTBoxBackColor;
        style.Italic = settings.WPFontItalic ? 1 : 0;
        style.Underline = settings.WPFontUnderl ? 1 : 0;
        style.StrikeOut = 0;
        style.Alignment = 1;
    }
}

} // namespace wavemark
