#pragma once

#include <string>

namespace wavemark {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageAnswer { Ok, Yes, No };

// Modal message boxes, as the window shows them. Texts are the system's
// own; a line break inside a text is CR LF.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual MessageAnswer showMessage(const std::string& text, MessageButtons buttons,
                                      MessageIcon icon, const std::string& title) = 0;
};

// The caption of every message box but the loader's.
inline constexpr const char* kProgramTitle = "Wavemark";

} // namespace wavemark
