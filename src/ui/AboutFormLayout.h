#pragma once

#include "ui/ControlTable.h"

#include <span>

namespace wavemark {

inline constexpr int kAboutFormWidth = 7380; // client area, twips
inline constexpr int kAboutFormHeight = 4245;

// Frame1 and, inside it, every control of the About window; the controls'
// positions are relative to Frame1. Texts that depend on the build (the
// links and the mail address) are filled in by the window.
std::span<const ControlSpec> AboutFormControls();

} // namespace wavemark
