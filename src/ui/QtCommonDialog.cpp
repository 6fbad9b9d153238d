#include "ui/QtCommonDialog.h"

#include "ui/BgrColor.h"
#include "ui/DialogFilter.h"
#include "ui/FontChooserDialog.h"
#include "ui/LocalText.h"

#include <QColorDialog>
#include <QFileDialog>

namespace wavemark {

DialogResult QtCommonDialog::ShowOpen() {
    return showFileDialog(FileDialogKind::Open);
}

DialogResult QtCommonDialog::ShowSave() {
    return showFileDialog(FileDialogKind::Save);
}

DialogResult QtCommonDialog::showFileDialog(FileDialogKind kind) {
    const bool save = kind == FileDialogKind::Save;
    QFileDialog dialog(m_parent);
    dialog.setObjectName(save ? QStringLiteral("saveFileDialog")
                              : QStringLiteral("openFileDialog"));
    const FileDialogFlags flags = toFileDialogFlags(Flags);
    dialog.setOptions(flags.options | QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(flags.fileMode);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // An empty title leaves Qt's own "Open" / "Save As".
    if (!DialogTitle.empty()) {
        dialog.setWindowTitle(FromLocal(DialogTitle));
    }
    const QStringList filters = toQtNameFilters(FromLocal(Filter));
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.first());
    }
    if (!InitDir.empty()) {
        dialog.setDirectory(FromLocal(InitDir));
    }
    // The name is proposed as given; no default suffix is ever added, so the
    // caller sees exactly what the user typed.
    dialog.selectFile(FromLocal(FileName));

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return cancelled();
    }
    FileName = ToLocal(dialog.selectedFiles().constFirst());
    return {};
}

DialogResult QtCommonDialog::ShowColor() {
    // Qt's colour dialog always opens on a colour, so it opens on the one
    // handed in rather than on an arbitrary default.
    QColorDialog dialog(FromBgr(Color), m_parent);
    dialog.setObjectName(QStringLiteral("colorDialog"));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (!DialogTitle.empty()) {
        dialog.setWindowTitle(FromLocal(DialogTitle));
    }
    if (dialog.exec() != QDialog::Accepted) {
        return cancelled();
    }
    Color = ToBgr(dialog.currentColor());
    return {};
}

DialogResult QtCommonDialog::ShowFont() {
    FontChooserDialog dialog(m_parent);
    if (!DialogTitle.empty()) {
        dialog.setWindowTitle(FromLocal(DialogTitle));
    }
    dialog.setChoice(FontChoice{FromLocal(FontName), FontSize, FontBold, FontItalic, FontUnderline,
                                FontStrikethru, FromBgr(Color)});
    if (dialog.exec() != QDialog::Accepted) {
        return cancelled();
    }
    const FontChoice choice = dialog.choice();
    FontName = ToLocal(choice.family);
    FontSize = choice.pointSize;
    FontBold = choice.bold;
    FontItalic = choice.italic;
    FontUnderline = choice.underline;
    FontStrikethru = choice.strikeOut;
    Color = ToBgr(choice.color);
    return {};
}

// Every property still holds what the caller handed in; only the result
// tells a cancel apart, and with cancel reporting on it is failure 32755.
DialogResult QtCommonDialog::cancelled() const {
    DialogResult result;
    result.outcome = DialogResult::Outcome::Cancelled;
    if (CancelError) {
        result.errorNumber = kCancelError;
        result.errorDescription = kCancelDescription;
    }
    return result;
}

} // namespace wavemark
