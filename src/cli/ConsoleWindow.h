#pragma once

#include "convert/ConvertWindow.h"

#include <array>
#include <iosfwd>
#include <string>

namespace wavemark {

// The main window's part for a terminal: counter lines are kept and printed
// at the end, message boxes go to the error stream, and the lists' selected
// codes are the settings' codes.
class ConsoleWindow : public ConvertWindow {
public:
    ConsoleWindow(Settings& settings, std::ostream& errors);

    MessageAnswer showMessage(const std::string& text, MessageButtons buttons, MessageIcon icon,
                              const std::string& title) override;
    void setStatusVisible(StatusNotice, bool) override {}
    void setCounterLabel(Counter line, const std::string& text) override;
    void setWaitCursor(bool) override {}
    void processEvents() override {}
    bool paintDue() override { return false; } // the counters are printed at the end
    int16_t selectedCode(CodeList list) override;
    Settings& settings() override { return m_settings; }

    void printCounters(std::ostream& out) const;

private:
    Settings& m_settings;
    std::ostream& m_errors;
    std::array<std::string, kCounterCount> m_counters;
};

} // namespace wavemark
