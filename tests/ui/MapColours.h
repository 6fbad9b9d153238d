#pragma once

#include <QColor>

// The classes' marker colours and a track's, as the map must show them.
inline const QColor kOpenGreen(0x00, 0xb0, 0x00);
inline const QColor kProtectedRed(0xe0, 0x00, 0x00);
inline const QColor kAdHocBlue(0x00, 0x60, 0xe0);
inline const QColor kTrackOrange(0xff, 0x80, 0x00);
