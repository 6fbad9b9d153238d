#include "ui/AboutFormLayout.h"

namespace wavemark {
namespace {

using enum ControlKind;
using F = ControlFont;

constexpr const char* kDescription =
    "This little tool converts your summary and text-files from NetStumbler to a GPS "
    "TrackMaker - File with waypoints and tracks. The exported summary-file is used to create "
    "waypoints, the text-exports are used to create the corresponding tracks. Both exports must "
    "be created from the same NetStumbler data.";

// clang-format off
constexpr ControlSpec kControls[] = {
    {"Frame1", Rectangle, "", 180, 120, 7080, 4050, F::Window, White},
    {"Image1", Picture, ":/pictures/netstumbler.svg", 30, 45, 2805, 795},
    {"Label2", Label, "2", 3150, 120, 435, 735, F::Logo},
    {"Image2", Picture, ":/pictures/gpstm.svg", 3825, 90, 3135, 855},
    {"Label1", Label, kDescription, 360, 1110, 6210, 915, F::Window, Wrapped},
    {"Label3", Label, "Thanks to the NetStumbler team for the NetStumbler scanner.", 360, 2160, 5970, 255},
    {"Label4", Label, "", 360, 2400, 1650, 255, F::Window, Link | Underline},
    {"Label5", Label, "Thanks to Geo Studio Tecnologia for the free edition of GPS TrackMaker.", 360, 2760, 6570, 255},
    {"Label6", Label, "", 360, 3000, 1410, 255, F::Window, Link | Underline},
    {"Label7", Label, "The Wavemark developers", 360, 3480, 1290, 255, F::Window, SizedToText},
    {"Label9", Label, "", 2880, 3480, 930, 255, F::Window, Link | SizedToText},
    {"Label8", Label, "", 3720, 3480, 2730, 255, F::Window, SizedToText},
};
// clang-format on

} // namespace

std::span<const ControlSpec> AboutFormControls() {
    return kControls;
}

} // namespace wavemark
