#include "QtCommonDialog.h"

#include "DialogFilter.h"
#include "FontChooserDialog.h"

#include <QColorDialog>
#include <QFileDialog>

namespace wavemark {

namespace {

QString fromLocal(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toLocal(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

// Colours travel as 0x00BBGGRR, red in the low byte; the high byte (a
// system colour marker on Windows) has no meaning here and is dropped.
QColor fromBgr(int32_t bgr) {
    const auto value = static_cast<uint32_t>(bgr);
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

int32_t toBgr(const QColor& color) {
    const QColor rgb = color.toRgb();
    return static_cast<int32_t>(static_cast<uint32_t>(rgb.red()) |
                                static_cast<uint32_t>(rgb.green()) << 8 |
                                static_cast<uint32_t>(rgb.blue()) << 16);
}

} // namespace

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
        dialog.setWindowTitle(fromLocal(DialogTitle));
    }
    const QStringList filters = toQtNameFilters(fromLocal(Filter));
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.first());
    }
    if (!InitDir.empty()) {
        dialog.setDirectory(fromLocal(InitDir));
    }
    // The name is proposed as given; no default suffix is ever added, so the
    // caller sees exactly what the user typed.
    dialog.selectFile(fromLocal(FileName));

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return cancelled();
    }
    FileName = toLocal(dialog.selectedFiles().constFirst());
    return {};
}

DialogResult QtCommonDialog::ShowColor() {
    // Qt's colour dialog always opens on a colour, so it opens on the one
    // handed in rather than on an arbitrary default.
    QColorDialog dialog(fromBgr(Color), m_parent);
    dialog.setObjectName(QStringLiteral("colorDialog"));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (!DialogTitle.empty()) {
        dialog.setWindowTitle(fromLocal(DialogTitle));
    }
    if (dialog.exec() != QDialog::Accepted) {
        return cancelled();
    }
    Color = toBgr(dialog.currentColor());
    return {};
}

DialogResult QtCommonDialog::ShowFont() {
    FontChooserDialog dialog(m_parent);
    if (!DialogTitle.empty()) {
        dialog.setWindowTitle(fromLocal(DialogTitle));
    }
    dialog.setChoice(FontChoice{fromLocal(FontName), FontSize, FontBold, FontItalic, FontUnderline,
                                FontStrikethru, fromBgr(Color)});
    if (dialog.exec() != QDialog::Accepted) {
        return cancelled();
    }
    const FontChoice choice = dialog.choice();
    FontName = toLocal(choice.family);
    FontSize = choice.pointSize;
    FontBold = choice.bold;
    FontItalic = choice.italic;
    FontUnderline = choice.underline;
    FontStrikethru = choice.strikeOut;
    Color = toBgr(choice.color);
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
