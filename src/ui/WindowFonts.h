#pragma once

#include <QFont>

namespace wavemark {

// The windows were laid out for MS Sans Serif and Arial, which Linux lacks.
// Liberation Sans, bundled with the program, has Arial's metrics; it stands
// in for both, so the layout is the same on every machine.
void InstallWindowFonts();

inline constexpr const char* kWindowFontFamily = "Liberation Sans";

// The windows' own font: 8.25 points.
QFont WindowFont();

} // namespace wavemark
