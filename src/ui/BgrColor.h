#pragma once

#include <QColor>

#include <cstdint>

namespace wavemark {

// Colours travel as 0x00BBGGRR, red in the low byte; the high byte (a
// system colour marker on Windows) has no meaning here and is dropped.
inline QColor FromBgr(int32_t bgr) {
    const auto value = static_cast<uint32_t>(bgr);
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

inline int32_t ToBgr(const QColor& color) {
    const QColor rgb = color.toRgb();
    return static_cast<int32_t>(static_cast<uint32_t>(rgb.red()) |
                                static_cast<uint32_t>(rgb.green()) << 8 |
                                static_cast<uint32_t>(rgb.blue()) << 16);
}

} // namespace wavemark
