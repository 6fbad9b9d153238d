#pragma once

#include "convert/Settings.h"
#include "convert/WindowInterfaces.h"

#include <cstdint>
#include <string>

namespace wavemark {

// The lists whose selected entry's code a conversion takes.
enum class CodeList { IconNoWEP, IconWEP, StyleNoWEP, StyleWEP };

// The seven counter lines under the options, top to bottom.
enum class Counter { Wep, NoWep, AdHoc, Filtered, Waypoints, Tracks, TrackPoints };
inline constexpr size_t kCounterCount = 7;

// What the convert command needs from the main window.
class ConvertWindow : public MessageBoxService, public StatusLine {
public:
    virtual void setCounterLabel(Counter line, const std::string& text) = 0;
    virtual void setWaitCursor(bool wait) = 0;
    // Lets the window repaint and take input during a long run.
    virtual void processEvents() = 0;
    // Whether a counter text set now would be painted before the next one
    // replaces it. A window that paints only now and then answers false in
    // between: the convert command then holds trackpoint counts back and
    // sets only the latest, before any other counter and at the end.
    virtual bool paintDue() { return true; }
    // Item data of the selected entry of a list.
    virtual int16_t selectedCode(CodeList list) = 0;
    // The window's settings, check box states included.
    virtual Settings& settings() = 0;
};

} // namespace wavemark
