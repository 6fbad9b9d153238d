#pragma once

#include "convert/MessageBox.h"
#include "convert/Settings.h"

#include <cstdint>
#include <string>

namespace wavemark {

// The lists whose selected entry's code a conversion takes.
enum class CodeList { IconNoWEP, IconWEP, StyleNoWEP, StyleWEP };

// The status notices above the counters: "Converting !", "Converted !",
// "File saved !"; each is only shown or hidden.
enum class StatusNotice { Converting = 0, Converted = 1, FileSaved = 2 };

class StatusLine {
public:
    virtual ~StatusLine() = default;
    virtual void setStatusVisible(StatusNotice notice, bool visible) = 0;
};

// What the convert command needs from the main window.
class ConvertWindow : public MessageBoxService, public StatusLine {
public:
    // Label1(index): the seven counter lines, 0..6.
    virtual void setCounterLabel(int index, const std::string& text) = 0;
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
