#pragma once

#include <QString>

#include <string>

namespace wavemark {

// Texts below the window are in the local 8-bit encoding (UTF-8 on Linux).
inline QString FromLocal(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToLocal(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

} // namespace wavemark
