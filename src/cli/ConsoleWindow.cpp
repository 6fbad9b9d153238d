#include "cli/ConsoleWindow.h"

#include <ostream>

namespace wavemark {
namespace {

// Message texts break lines with CR LF, as the window shows them.
std::string withPlainLineEnds(std::string text) {
    for (size_t pos = 0; (pos = text.find("\r\n", pos)) != std::string::npos;) {
        text.erase(pos, 1);
    }
    return text;
}

} // namespace

ConsoleWindow::ConsoleWindow(Settings& settings, std::ostream& errors)
    : m_settings(settings), m_errors(errors) {}

MessageAnswer ConsoleWindow::showMessage(const std::string& text, MessageButtons buttons,
                                         MessageIcon, const std::string& title) {
    if (title != kProgramTitle) {
        m_errors << title << ": ";
    }
    m_errors << withPlainLineEnds(text) << '\n';
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

void ConsoleWindow::setCounterLabel(Counter line, const std::string& text) {
    m_counters[static_cast<size_t>(line)] = text;
}

int16_t ConsoleWindow::selectedCode(CodeList list) {
    switch (list) {
    case CodeList::IconNoWEP:
        return m_settings.IconNoWEP;
    case CodeList::IconWEP:
        return m_settings.IconWEP;
    case CodeList::StyleNoWEP:
        return m_settings.StyleNoWEP;
    case CodeList::StyleWEP:
        return m_settings.StyleWEP;
    }
    return 0;
}

void ConsoleWindow::printCounters(std::ostream& out) const {
    for (const std::string& line : m_counters) {
        out << line << '\n';
    }
}

} // namespace wavemark
