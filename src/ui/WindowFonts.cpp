#include "ui/WindowFonts.h"

#include <QFontDatabase>

namespace wavemark {

void InstallWindowFonts() {
    for (const char* face : {"Regular", "Bold", "Italic", "BoldItalic"}) {
        QFontDatabase::addApplicationFont(
            QStringLiteral(":/fonts/LiberationSans-%1.ttf").arg(face));
    }
    for (const char* windowsFont : {"MS Sans Serif", "Arial"}) {
        QFont::insertSubstitution(windowsFont, kWindowFontFamily);
    }
}

QFont WindowFont() {
    QFont font(kWindowFontFamily);
    font.setPointSizeF(8.25);
    return font;
}

} // namespace wavemark
