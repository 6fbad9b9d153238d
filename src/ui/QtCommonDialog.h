#pragma once

#include "convert/WindowInterfaces.h"

class QWidget;

namespace wavemark {

// The common dialogs realised with Qt widgets. Each show operation builds a
// modal dialog as a child of the parent window and runs it with exec(); the
// dialogs are Qt's own (never native), so they behave the same on every
// platform and under the offscreen platform. While one is open it is
// QApplication::activeModalWidget(), with the object name "openFileDialog",
// "saveFileDialog", "colorDialog" or "fontChooserDialog"; that is how tests
// answer it.
class QtCommonDialog : public CommonDialog {
public:
    explicit QtCommonDialog(QWidget* parent = nullptr) : m_parent(parent) {}

    DialogResult ShowOpen() override;
    DialogResult ShowSave() override;
    DialogResult ShowColor() override;
    DialogResult ShowFont() override;

private:
    enum class FileDialogKind { Open, Save };

    DialogResult showFileDialog(FileDialogKind kind);
    DialogResult cancelled() const;

    QWidget* m_parent;
};

} // namespace wavemark
