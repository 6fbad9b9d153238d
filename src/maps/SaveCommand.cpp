#include "maps/SaveCommand.h"

#include "maps/gtm/GtmWriter.h"
#include "platform/PathSeparator.h"

#include <algorithm>
#include <cctype>

namespace wavemark {
namespace {

bool endsInGtm(const std::string& path) {
    std::string tail = path.substr(path.size() - std::min<size_t>(4, path.size()));
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return tail == ".GTM";
}

void reportDialogFailure(const DialogResult& result, SaveWindow& window) {
    window.showMessage("The save dialog could not be shown: " + result.errorDescription +
                           " (Error " + std::to_string(result.errorNumber) + ")",
                       MessageButtons::Ok, MessageIcon::Critical, kProgramTitle);
}

} // namespace

void Command1_Click(ConverterState& state, std::string& GtmFilePath, SaveWindow& window) {
    if (state.data.WptCount == 0) {
        Convert(state, window);
    }

    Settings& settings = window.settings();
    CommonDialog& dialog = window.saveDialog();
    dialog.DialogTitle = "Save File As";
    dialog.Flags = CommonDialog::kOverwritePrompt | CommonDialog::kHideReadOnly;
    dialog.Filter = "GPS TrackMaker File (*.gtm)|*.gtm|";
    dialog.FileName = settings.OutputPrefix + state.data.LogDate + ".gtm";
    const DialogResult result = dialog.ShowSave();
    if (result.outcome == DialogResult::Outcome::Failed) {
        reportDialogFailure(result, window);
    }
    // A cancelled dialog still holds the proposed name, which would pass the
    // extension test: the command ends here instead.
    if (!result.accepted()) {
        return;
    }

    GtmFilePath = dialog.FileName;
    if (!endsInGtm(GtmFilePath)) {
        return;
    }
    const size_t separator = GtmFilePath.rfind(kPathSeparator);
    if (separator != std::string::npos && separator >= 1) {
        settings.OutputPath = GtmFilePath.substr(0, separator);
    }
    // The exports chosen in the window are never overwritten, whichever of
    // them the data came from.
    const InputFile inputs[] = {{"summary export", settings.SummaryFilePath},
                                {"text export", settings.TextFilePath}};
    WriteGtmFile(state.data, GtmFilePath, inputs, window, window);
}

} // namespace wavemark
