#pragma once

#include <QRect>

#include <algorithm>
#include <string_view>

namespace wavemark {

// The windows' layouts are fixed tables of controls, positioned in twips as
// the original form designer placed them: 1440 twips per inch, so 15 twips
// are one logical pixel at 96 dpi.
enum class ControlKind { Rectangle, Picture, Label, Line, PushButton, CheckBox, TextBox, ComboBox };

enum class ControlFont {
    Window, // the window's own font
    Logo,   // the big "2" between the logos: 32.25 pt, bold italic
    Status, // the status notices: 13.5 pt
};

// How a control looks beyond its kind; combined with |.
enum ControlLook : unsigned {
    Plain = 0,
    Sunken = 1 << 0,         // a sunken 3-D border
    SingleBorder = 1 << 1,   // a flat one-pixel border
    Hidden = 1 << 3,         // not shown until a handler shows it
    SizedToText = 1 << 4,    // the size follows the text and font
    PathBackground = 1 << 5, // the background of text entry fields
    Wrapped = 1 << 6,        // the text wraps over several lines
    Link = 1 << 7,           // dark blue, pointing-hand pointer
    Underline = 1 << 8,
    White = 1 << 9, // a white background
};

struct ControlSpec {
    std::string_view name; // also the widget's object name
    ControlKind kind;
    std::string_view text; // UTF-8
    // The box the control fills, in twips. A line lies along the top or the
    // left edge of a box with no height or no width (see LineSpec).
    int left, top, width, height;
    ControlFont font = ControlFont::Window;
    unsigned look = Plain;
    std::string_view toolTip = {};
};

// A line row from its two end points, as the form designer gives them: only
// horizontal and vertical lines occur, so their box keeps all that matters.
constexpr ControlSpec LineSpec(std::string_view name, int x1, int y1, int x2, int y2) {
    return {name,
            ControlKind::Line,
            {},
            std::min(x1, x2),
            std::min(y1, y2),
            std::max(x1, x2) - std::min(x1, x2),
            std::max(y1, y2) - std::min(y1, y2)};
}

inline constexpr int kTwipsPerPixel = 15;

constexpr int ToPixels(int twips) {
    return twips / kTwipsPerPixel;
}

// The widget rectangle of a control. A line becomes a band as thick as its
// pen around the segment between its end points.
QRect ControlRect(const ControlSpec& row, int lineWidth = 2);

} // namespace wavemark
