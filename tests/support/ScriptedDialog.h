#pragma once

#include "convert/WindowInterfaces.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace wavemark::test {

// A common dialog that answers from a script: each show takes the next
// answer, which may change the properties as a user would, and accepts or
// cancels. Every show is recorded with the properties it was handed.
class ScriptedDialog : public CommonDialog {
public:
    struct Answer {
        DialogResult result; // a failure carries its number and description
        std::function<void(CommonDialog&)> choose;
    };

    struct Shown {
        std::string operation;
        std::string DialogTitle;
        int32_t Flags;
        std::string Filter;
        std::string FileName;
        std::string InitDir;
    };

    // Accepts after `choose` changed the properties as a user would.
    void accept(std::function<void(CommonDialog&)> choose);
    void acceptFile(std::string fileName);
    void cancel();
    void fail(int32_t number, std::string description);

    DialogResult ShowOpen() override { return show("open"); }
    DialogResult ShowSave() override { return show("save"); }
    DialogResult ShowColor() override { return show("color"); }
    DialogResult ShowFont() override { return show("font"); }

    std::deque<Answer> answers;
    std::vector<Shown> shown;

private:
    DialogResult show(const std::string& operation);
};

} // namespace wavemark::test
