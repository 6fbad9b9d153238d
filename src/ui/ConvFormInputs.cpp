#include "ui/ConvForm.h"

#include "platform/PathParts.h"
#include "survey/SurveyFormat.h"
#include "ui/LocalText.h"

#include <QLabel>

namespace wavemark {

void ConvForm::LoadFile_Click(int index) {
    std::string& path = index == 0 ? m_settings.SummaryFilePath : m_settings.TextFilePath;
    CommonDialog& dialog = *dlgOpenFile;
    // The summary may be any survey file, gzip-compressed too; the
    // conversion tells them by their content.
    const std::string surveys = SurveyPatterns() + ";*.gz";
    dialog.Filter = index == 0 ? "Surveys (" + surveys + ")|" + surveys +
                                     "|Text Files (*.txt)|*.txt|All Files (*.*)|*.*"
                               : "Text Files (*.txt)|*.txt|All Files (*.*)|*.*";
    dialog.DialogTitle =
        index == 0 ? "Netstumbler Summary-Text-File" : "Netstumbler Export-Text-File";
    const PathParts parts = SplitPath(path);
    dialog.InitDir = parts.folder;
    dialog.FileName = parts.file;
    dialog.Flags = CommonDialog::kHideReadOnly | CommonDialog::kFileMustExist |
                   CommonDialog::kExplorer | CommonDialog::kLongNames;
    dialog.CancelError = true;

    const DialogResult result = dialog.ShowOpen();
    if (result.outcome == DialogResult::Outcome::Cancelled) {
        return;
    }
    if (result.outcome == DialogResult::Outcome::Failed) {
        showMessage("Error " + std::to_string(result.errorNumber) + " selecting file.\r\n" +
                        result.errorDescription,
                    MessageButtons::Ok, MessageIcon::None, kProgramTitle);
        return;
    }
    path = dialog.FileName;
    showInputPaths();
}

void ConvForm::showInputPaths() {
    m_controls.get<QLabel>("Filename(0)")->setText(FromLocal(m_settings.SummaryFilePath));
    m_controls.get<QLabel>("Filename(1)")->setText(FromLocal(m_settings.TextFilePath));
}

} // namespace wavemark
