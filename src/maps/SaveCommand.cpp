#include "maps/SaveCommand.h"

#include "maps/MapFile.h"
#include "maps/MapFormat.h"
#include "platform/PathParts.h"

#include <optional>

namespace wavemark {

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
    dialog.Filter = MapFileFilter();
    dialog.FileName = settings.OutputPrefix + state.data.LogDate + ".gtm";
    const DialogResult result = dialog.ShowSave();
    if (result.outcome == DialogResult::Outcome::Failed) {
        window.showMessage(SaveDialogFailureText(result), MessageButtons::Ok, MessageIcon::Critical,
                           kProgramTitle);
        return SaveOutcome::DialogFailed;
    }
    // A cancelled dialog still holds the proposed name, which would pass the
    // extension test: the command ends here instead.
    if (!result.accepted()) {
        return SaveOutcome::Cancelled;
    }

    const std::string chosen = dialog.FileName;
    const MapFormat format = MapFormatOfPath(chosen);
    if (!format) {
        return SaveOutcome::NotAMapName;
    }
    // A name right under the root leaves the output folder as it was.
    const PathParts parts = SplitPath(chosen);
    if (!parts.folder.empty() && parts.file.size() + 1 < chosen.size()) {
        settings.OutputPath = parts.folder;
    }
    // The exports chosen in the window are never overwritten, whichever of
    // them the data came from.
    const InputFile inputs[] = {{"summary export", settings.SummaryFilePath},
                                {"text export", settings.TextFilePath}};
    if (WriteMapFile(state.data, format, chosen, inputs, window, window) != WriteOutcome::Written) {
        return SaveOutcome::WriteFailed;
    }
    // "File saved !" opens what it names: only a written file takes its place.
    GtmFilePath = chosen;
    return SaveOutcome::Written;
}

} // namespace wavemark
