#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace wavemark {

// What the commands need of a window, so that they run without a display:
// the window implements these with Qt, the command-line converter with the
// terminal, tests with recording fakes.

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

// The status notices above the counters: "Converting !", "Converted !",
// "File saved !"; each is only shown or hidden.
enum class StatusNotice { Converting = 0, Converted = 1, FileSaved = 2 };

class StatusLine {
public:
    virtual ~StatusLine() = default;
    virtual void setStatusVisible(StatusNotice notice, bool visible) = 0;
};

// Shows `shown` and hides the other notices, always in the same order;
// nothing hides them all.
inline void ShowOnly(StatusLine& status, std::optional<StatusNotice> shown) {
    for (const StatusNotice notice :
         {StatusNotice::Converting, StatusNotice::Converted, StatusNotice::FileSaved}) {
        status.setStatusVisible(notice, notice == shown);
    }
}

// What a show operation of a common dialog ended with.
struct DialogResult {
    enum class Outcome { Accepted, Cancelled, Failed };
    Outcome outcome = Outcome::Accepted;
    // With cancel reporting on, a cancel is failure kCancelError; a failure
    // of the dialog itself carries its own number and description.
    int32_t errorNumber = 0;
    std::string errorDescription;

    bool accepted() const { return outcome == Outcome::Accepted; }
};

// The message for a save dialog that failed.
inline std::string SaveDialogFailureText(const DialogResult& result) {
    return "The save dialog could not be shown: " + result.errorDescription + " (Error " +
           std::to_string(result.errorNumber) + ")";
}

// The open, save, colour and font dialogs. The caller sets the properties it
// needs, shows the dialog, and reads the properties back; after a cancel
// they hold what was handed in. Texts are in the local 8-bit encoding.
class CommonDialog {
public:
    static constexpr int32_t kCancelError = 32755;
    // Option bits the program passes to the file dialogs...
    static constexpr int32_t kOverwritePrompt = 0x2;
    static constexpr int32_t kHideReadOnly = 0x4;
    static constexpr int32_t kFileMustExist = 0x1000;
    static constexpr int32_t kExplorer = 0x80000;
    static constexpr int32_t kLongNames = 0x200000;
    // ... and to the font dialog, where the same bits mean other things.
    static constexpr int32_t kScreenFonts = 0x1;
    static constexpr int32_t kPrinterFonts = 0x2;
    static constexpr int32_t kFontEffects = 0x100;

    virtual ~CommonDialog() = default;

    std::string FileName; // in: proposed name; out: full path chosen
    std::string DialogTitle;
    std::string Filter; // "desc|pattern|desc|pattern", a final "|" allowed
    std::string InitDir;
    int32_t Flags = 0;
    bool CancelError = false;
    int32_t Color = 0; // 0x00BBGGRR
    std::string FontName;
    double FontSize = 8.0; // points
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    bool FontStrikethru = false;

    virtual DialogResult ShowOpen() = 0;
    virtual DialogResult ShowSave() = 0;
    virtual DialogResult ShowColor() = 0;
    virtual DialogResult ShowFont() = 0;
};

inline constexpr const char* kCancelDescription = "Cancel was selected.";

} // namespace wavemark
