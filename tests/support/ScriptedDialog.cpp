#include "ScriptedDialog.h"

#include <stdexcept>

namespace wavemark::test {

void ScriptedDialog::accept(std::function<void(CommonDialog&)> choose) {
    answers.push_back({DialogResult::Outcome::Accepted, std::move(choose), 0, {}});
}

void ScriptedDialog::acceptFile(std::string fileName) {
    accept([name = std::move(fileName)](CommonDialog& d) { d.FileName = name; });
}

void ScriptedDialog::cancel() {
    answers.push_back({DialogResult::Outcome::Cancelled, {}, 0, {}});
}

void ScriptedDialog::fail(int32_t number, std::string description) {
    answers.push_back({DialogResult::Outcome::Failed, {}, number, std::move(description)});
}

DialogResult ScriptedDialog::show(const std::string& operation) {
    shown.push_back({operation, DialogTitle, Flags, Filter, FileName, InitDir});
    if (answers.empty()) {
        throw std::logic_error("the dialog was shown more often than the test expected");
    }
    const Answer answer = answers.front();
    answers.pop_front();
    DialogResult result;
    result.outcome = answer.outcome;
    if (answer.outcome == DialogResult::Outcome::Accepted && answer.choose) {
        answer.choose(*this);
    }
    if (answer.outcome == DialogResult::Outcome::Failed) {
        result.errorNumber = answer.errorNumber;
        result.errorDescription = answer.errorDescription;
    }
    if (answer.outcome == DialogResult::Outcome::Cancelled && CancelError) {
        result.errorNumber = kCancelError;
        result.errorDescription = kCancelDescription;
    }
    return result;
}

} // namespace wavemark::test
