#pragma once

#include "convert/Convert.h"
#include "convert/WindowInterfaces.h"

#include <string>

namespace wavemark {

// What the save command needs from the main window beyond a conversion.
class SaveWindow : public ConvertWindow {
public:
    // The save dialog, CommonDialog1, kept for the life of the window.
    virtual CommonDialog& saveDialog() = 0;
};

enum class [[nodiscard]] SaveOutcome{
    Written,      Cancelled,
    DialogFailed, // shown in a message box
    NotAMapName,  // ignored without a word
    WriteFailed,  // shown in a message box
};

// The "Save GTM-File" command: converts first when there is no waypoint,
// proposes OutputPrefix + LogDate + ".gtm", and writes the file the user
// chose in the format its name ends in (".gtm", ".gpx", ".kml" or
// ".geojson" in any letter case; any other name is ignored without a word).
// OutputPath takes the chosen name's folder, GtmFilePath the name once the
// file is written.
// A cancelled dialog changes nothing.
SaveOutcome Command1_Click(ConverterState& state, std::string& GtmFilePath, SaveWindow& window);

} // namespace wavemark
