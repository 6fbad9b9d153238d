#pragma once

#include "ScriptedDialog.h"
#include "maps/SaveCommand.h"

#include <array>
#include <deque>
#include <map>
#include <string>
#include <vector>

namespace wavemark::test {

struct ShownMessage {
    std::string text;
    MessageButtons buttons;
    MessageIcon icon;
    std::string title;
};

// A main window that records what it is asked to show, in order, as lines
// such as "label 6 = Number of Trackpoints: 3" or "status 1 on"; a message
// box is answered OK, the save dialog from a script.
class RecordingWindow : public SaveWindow {
public:
    MessageAnswer showMessage(const std::string& text, MessageButtons buttons, MessageIcon icon,
                              const std::string& title) override;
    void setStatusVisible(StatusNotice notice, bool visible) override;
    void setCounterLabel(Counter line, const std::string& text) override;
    void setWaitCursor(bool wait) override;
    void processEvents() override;
    bool paintDue() override;
    int16_t selectedCode(CodeList list) override;
    Settings& settings() override { return m_settings; }
    CommonDialog& saveDialog() override { return dialog; }

    Settings m_settings;
    std::map<CodeList, int16_t> selectedCodes;
    ScriptedDialog dialog;
    // What paintDue() answers, in turn; true once they are used up.
    std::deque<bool> paintDueAnswers;

    std::vector<std::string> events;
    std::vector<ShownMessage> messages;
    std::array<std::string, kCounterCount> labels;
    bool statusVisible[3] = {false, false, false};
};

} // namespace wavemark::test
