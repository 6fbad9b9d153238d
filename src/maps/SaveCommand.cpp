#include "maps/SaveCommand.h"

#include "maps/gtm/GtmWriter.h"
#include "platform/PathParts.h"

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

SaveOutcome Command1_Click(ConverterState& state, std::string& GtmFilePath, SaveWindow& window) {
    // A failed conversion has been shown; the dialog still offers to save
    // what there is.
    if (state.data.WptCount == 0) {
        static_cast<void>(Convert(state, window));
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
        return SaveOutcome::DialogFailed;
    }
    // A cancelled dialog still holds the proposed name, which would pass the
    // extension test: the command ends here instead.
    if (!result.accepted()) {
        return SaveOutcome::Cancelled;
    }

    GtmFilePath = dialog.FileName;
    if (!endsInGtm(GtmFilePath)) {
        return SaveOutcome::NotAGtmName;
    }
    // A name right under the root leaves the output folder as it was.
    const PathParts parts = SplitPath(GtmFilePath);
    if (!parts.folder.empty() && parts.file.size() + 1 < GtmFilePath.size()) {
        settings.OutputPath = parts.folder;
    }
    // The exports chosen in the window are never overwritten, whichever of
    // them the data came from.
    const InputFile inputs[] = {{"summary export", settings.SummaryFilePath},
                                {"text export", settings.TextFilePath}};
    return WriteGtmFile(state.data, GtmFilePath, inputs, window, window) == WriteOutcome::Written
               ? SaveOutcome::Written
               : SaveOutcome::WriteFailed;
}

} // namespace wavemark
