#include "ui/ConvFormLayout.h"

namespace wavemark {
namespace {

using enum ControlKind;
using F = ControlFont;

// clang-format off
constexpr ControlSpec kControls[] = {
    // Header band
    {"Shape3", Rectangle, "", 0, 0, 6975, 1095},
    {"Image1", Picture, ":/pictures/netstumbler.svg", 120, 90, 2805, 795, F::Window, Plain, "Open Netstumbler's Homepage"},
    {"Label2", Label, "2", 3120, 120, 495, 735, F::Logo, Plain, "Open About-Screen"},
    {"Image2", Picture, ":/pictures/gpstm.svg", 3600, 120, 3135, 855, F::Window, Plain, "Open GTM's Homepage"},
    LineSpec("Line3(0)", 0, 1080, 6960, 1080),
    // Input files
    {"LoadFile(0)", PushButton, "Select Summary-File", 120, 1200, 1695, 375},
    {"Filename(0)", Label, "Summary.txt", 1920, 1320, 4815, 255, F::Window, Sunken | PathBackground},
    {"LoadFile(1)", PushButton, "Select Text-File", 120, 1665, 1695, 375},
    {"Filename(1)", Label, "ExportText.txt", 1920, 1800, 4815, 255, F::Window, Sunken | PathBackground},
    LineSpec("Line3(2)", 0, 2160, 6960, 2160),
    // Filter
    {"NoWEPCheck", CheckBox, "Only AP's without WEP", 120, 2280, 2055, 255},
    {"FilterLabel", Label, "Filter :", 2280, 2280, 495, 255},
    {"TBAPFilter", TextBox, "", 2760, 2250, 3975, 285},
    LineSpec("Line3(3)", 0, 2640, 6960, 2640),
    // Waypoints
    {"SelectFont", PushButton, "Waypoint Font", 120, 2880, 1695, 375},
    {"SelectBackground", PushButton, "Background Color", 120, 3360, 1695, 375},
    {"IconLabel(0)", Label, "Icon for AP without WEP", 2160, 2700, 1815, 255, F::Window, Underline},
    {"CB_IconNoWEP", ComboBox, "", 2160, 2940, 2175, 315},
    {"CB_StyleNoWEP", ComboBox, "", 2160, 3420, 2175, 315},
    {"IconLabel(1)", Label, "Icon for AP with WEP", 4560, 2700, 1815, 255, F::Window, Underline},
    {"CB_IconWEP", ComboBox, "", 4560, 2940, 2175, 315},
    {"CB_StyleWEP", ComboBox, "", 4560, 3435, 2175, 315},
    {"Shape2(0)", Rectangle, "", 120, 3825, 6615, 615},
    {"FontTest(1)", Label, "Waypoint with Icon", 315, 3960, 1365, 195, F::Window, SizedToText},
    {"FontTest(0)", Label, "Waypoint with Textbox", 3285, 3945, 1650, 225, F::Window, SingleBorder | SizedToText},
    LineSpec("Line3(4)", 0, 4560, 7080, 4560),
    // Tracks
    {"TConvertEnabled", CheckBox, "Create Tracks", 120, 4680, 1440, 255},
    {"TChangeColors", CheckBox, "Random colors", 2055, 4635, 1755, 345},
    {"TrackColorNoWep", PushButton, "Color without WEP", 120, 5040, 1815, 375},
    {"TrackColorWep", PushButton, "Color with WEP", 2055, 5040, 1815, 375},
    {"Shape2(1)", Rectangle, "", 120, 5520, 1815, 255},
    LineSpec("TLineNoWepTest", 240, 5640, 1800, 5640),
    {"Shape2(2)", Rectangle, "", 2040, 5520, 1815, 255},
    LineSpec("TLineWepTest", 2160, 5640, 3720, 5640),
    {"CB_LineNoWEP", ComboBox, "", 120, 5880, 1815, 315},
    {"CB_LineWEP", ComboBox, "", 2040, 5880, 1815, 315},
    LineSpec("Line3(1)", 0, 6360, 3960, 6360),
    LineSpec("Line4", 3960, 4560, 3960, 8040),
    // Actions, counters and status
    {"Convert", PushButton, "Convert Data", 135, 6480, 1815, 495},
    {"Command1", PushButton, "Save GTM-File", 2040, 6480, 1815, 495},
    {"Label1(0)", Label, "", 4080, 4680, 2655, 255, F::Window, Sunken},
    {"Label1(1)", Label, "", 4080, 5040, 2655, 255, F::Window, Sunken},
    {"Label1(2)", Label, "", 4080, 5400, 2655, 255, F::Window, Sunken},
    {"Label1(3)", Label, "", 4080, 5760, 2655, 255, F::Window, Sunken},
    {"Label1(4)", Label, "", 4080, 6120, 2655, 255, F::Window, Sunken},
    {"Label1(5)", Label, "", 4080, 6480, 2655, 255, F::Window, Sunken},
    {"Label1(6)", Label, "", 4080, 6840, 2655, 255, F::Window, Sunken},
    {"Label1(7)", Label, "Ver.  1.4,  9. April. 2004", 4080, 7200, 2655, 255, F::Window, Sunken},
    LineSpec("Line5", 3960, 7065, 0, 7065),
    LineSpec("Line1", 1980, 7800, 1980, 7080),
    // Lies behind Command2, a little larger, so that its rim takes clicks too.
    {"Label3", Label, "", 120, 7200, 1815, 375, F::Window, Plain, "Click here to view more info about the program."},
    {"Command2", PushButton, "About Wavemark", 150, 7200, 1740, 315},
    {"Label_Status(0)", Label, "Converting !", 2220, 7140, 1635, 450, F::Status, Hidden},
    {"Label_Status(1)", Label, "Converted !", 2235, 7140, 1635, 450, F::Status, Hidden, "Double-Click to show the map"},
    {"Label_Status(2)", Label, "File saved !", 2265, 7140, 1635, 450, F::Status, Hidden, "Double-Click to open the converted file"},
};
// clang-format on

constexpr std::string_view kTabOrder[] = {
    "LoadFile(0)",      "LoadFile(1)",   "NoWEPCheck",      "TBAPFilter",    "SelectFont",
    "SelectBackground", "CB_IconNoWEP",  "CB_StyleNoWEP",   "CB_IconWEP",    "CB_StyleWEP",
    "TConvertEnabled",  "TChangeColors", "TrackColorNoWep", "TrackColorWep", "CB_LineNoWEP",
    "CB_LineWEP",       "Convert",       "Command1",        "Command2",
};

} // namespace

std::span<const ControlSpec> ConvFormControls() {
    return kControls;
}

std::span<const std::string_view> ConvFormTabOrder() {
    return kTabOrder;
}

} // namespace wavemark
