#pragma once

#include "convert/CommonDialog.h"
#include "convert/Convert.h"
#include "convert/ConvertWindow.h"

#include <string>

namespace wavemark {

// What the save command needs from the main window beyond a conversion.
class SaveWindow : public ConvertWindow {
public:
    // The save dialog, CommonDialog1, kept for the life of the window.
    virtual CommonDialog& saveDialog() = 0;
};

// The "Save GTM-File" command: converts first when there is no waypoint,
// proposes OutputPrefix + LogDate + ".gtm", and writes the file the user
// chose when its name ends in ".gtm" in any letter case (any other name is
// ignored without a word). GtmFilePath keeps the name the dialog returned;
// OutputPath takes its folder. A cancelled dialog changes nothing.
void Command1_Click(ConverterState& state, std::string& GtmFilePath, SaveWindow& window);

} // namespace wavemark
