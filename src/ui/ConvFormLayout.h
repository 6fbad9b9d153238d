#pragma once

#include "ui/ControlTable.h"

#include <span>

namespace wavemark {

inline constexpr const char* kConvFormTitle = "NetStumbler to GPS TrackMaker - Converter";
inline constexpr int kConvFormWidth = 6840; // client area, twips
inline constexpr int kConvFormHeight = 7575;

// Every control of the main window, in stacking order: a later control lies
// above an earlier one.
std::span<const ControlSpec> ConvFormControls();

// The focusable controls in keyboard order; the first has the focus at start.
std::span<const std::string_view> ConvFormTabOrder();

} // namespace wavemark
