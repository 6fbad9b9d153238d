#include "ScriptedDialog.h"

#include <stdexcept>

namespace wavemark::test {

void ScriptedDialog::accept(std::function<void(CommonDialog&)> choose) {
    answers.push_back({{}, std::move(choose)});
}

void ScriptedDialog::acceptFile(std::string fileName) {
    accept([name = std::move(fileName)](CommonDialog& d) { d.FileName = name; });
}

void ScriptedDialog::cancel() {
    answers.push_back({{DialogResult::Outcome::Cancelled, 0, {}}, {}});
}

void ScriptedDialog::fail(int32_t number, std::string description) {
    answers.push_back({{DialogResult::Outcome::Failed, number, std::move(description)}, {}});
}

DialogResult ScriptedDialog::show(const std::string& operation) {
    shown.push_back({operation, DialogTitle, Flags, Filter, FileName, InitDir});
    if (answers.empty()) {
        throw std::logic_error("the dialog was shown more often than the test expected");
    }
    Answer answer = std::move(answers.front());
    answers.pop_front();
    if (answer.choose) {
        answer.choose(*this);
    }
    if (answer.result.outcome == DialogResult::Outcome::Cancelled && CancelError) {
        answer.result.errorNumber = kCancelError;
        answer.result.errorDescription = kCancelDescription;
    }
    return answer.result;
}

} // namespace wavemark::test
