#include "RecordingWindow.h"

namespace wavemark::test {

MessageAnswer RecordingWindow::showMessage(const std::string& text, MessageButtons buttons,
                                           MessageIcon icon, const std::string& title) {
    messages.push_back({text, buttons, icon, title});
    events.push_back("message " + title + ": " + text);
    return MessageAnswer::Ok;
}

void RecordingWindow::setStatusVisible(StatusNotice notice, bool visible) {
    const int index = static_cast<int>(notice);
    statusVisible[index] = visible;
    events.push_back("status " + std::to_string(index) + (visible ? " on" : " off"));
}

void RecordingWindow::setCounterLabel(Counter line, const std::string& text) {
    const auto index = static_cast<size_t>(line);
    labels[index] = text;
    events.push_back("label " + std::to_string(index) + " = " + text);
}

void RecordingWindow::setWaitCursor(bool wait) {
    events.push_back(wait ? "wait cursor" : "default cursor");
}

void RecordingWindow::processEvents() {
    events.push_back("events");
}

bool RecordingWindow::paintDue() {
    if (paintDueAnswers.empty()) {
        return true;
    }
    const bool due = paintDueAnswers.front();
    paintDueAnswers.pop_front();
    return due;
}

int16_t RecordingWindow::selectedCode(CodeList list) {
    events.push_back("list " + std::to_string(static_cast<int>(list)));
    return selectedCodes[list];
}

} // namespace wavemark::test
