#pragma once

#include <cstdint>
#include <string>

namespace wavemark {

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

// The open, save, colour and font dialogs. The caller sets the properties it
// needs, shows the dialog, and reads the properties back; after a cancel
// they hold what was handed in. Texts are in the local 8-bit encoding.
class CommonDialog {
public:
    static constexpr int32_t kCancelError = 32755;
    // Option bits the program passes.
    static constexpr int32_t kOverwritePrompt = 0x2;
    static constexpr int32_t kHideReadOnly = 0x4;
    static constexpr int32_t kFileMustExist = 0x1000;
    static constexpr int32_t kExplorer = 0x80000;
    static constexpr int32_t kLongNames = 0x200000;

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
