#pragma once

// The real main window in a folder of its own, with fakes for its dialogs,
// message boxes and shell, as the window tests drive it.

#include "RecordingWindow.h"
#include "ScriptedDialog.h"
#include "TempFolder.h"
#include "ui/ConvForm.h"
#include "ui/Shell.h"
#include "ui/WindowFonts.h"

#include <QApplication>
#include <QStyleFactory>

#include <QLabel>
#include <QTest>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace wavemark::test {

// What the program sets before its first window: the style and the
// bundled fonts that the fixed layout was drawn in, and its name.
inline void PrepareWindowTests() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setApplicationName(QStringLiteral("Wavemark"));
    InstallWindowFonts();
}

// Records what the window hands the shell, and answers as told.
struct FakeShell : Shell {
    bool openAddress(const std::string& url) override { return record("address " + url, true); }
    bool openDocument(const std::string& file, const std::string& folder) override {
        return record("document " + file + " in " + folder, documentsOpen);
    }
    bool startProgram(const std::string& path) override { return record("program " + path, false); }
    bool record(std::string call, bool answer) {
        calls.push_back(std::move(call));
        return answer;
    }

    std::vector<std::string> calls;
    bool documentsOpen = true;
};

// Message boxes answered at once; `whileShown` runs as if inside the box.
struct FakeMessages : MessageBoxService {
    MessageAnswer showMessage(const std::string& text, MessageButtons buttons, MessageIcon icon,
                              const std::string& title) override {
        shown.push_back({text, buttons, icon, title});
        if (whileShown) {
            whileShown();
        }
        return buttons == MessageButtons::YesNo ? answer : MessageAnswer::Ok;
    }

    std::vector<ShownMessage> shown;
    MessageAnswer answer = MessageAnswer::No;
    std::function<void()> whileShown;
};

// The real main window in a folder of its own, with fakes; start() again restarts it.
struct WindowFixture {
    ConvForm& start() {
        window = std::make_unique<ConvForm>(
            WindowFolders{folder.path().string(), folder.file("user"), folder.file("tiles")},
            WindowServices{[](QWidget*) { return std::make_unique<ScriptedDialog>(); }, &messages,
                           &shell});
        window->show();
        return *window;
    }

    template <typename T> T* control(const QString& name) const {
        return window->findChild<T*>(name);
    }
    ScriptedDialog& dialog(CommonDialog& which) const {
        return dynamic_cast<ScriptedDialog&>(which);
    }
    ScriptedDialog& openDialog() const { return dialog(window->openDialog()); }
    ScriptedDialog& saveDialog() const { return dialog(window->saveDialog()); }
    ScriptedDialog& fontDialog() const { return dialog(window->fontDialog()); }
    ScriptedDialog& colorDialog() const { return dialog(window->colorDialog()); }

    void click(const QString& name) const {
        QTest::mouseClick(control<QWidget>(name), Qt::LeftButton);
    }
    // Chooses the sample survey's exports with the two "Select" buttons.
    void chooseSampleExports() const;
    QLabel* counter(int index) const {
        return control<QLabel>(QStringLiteral("Label1(%1)").arg(index));
    }

    TempFolder folder;
    FakeShell shell;
    FakeMessages messages;
    std::unique_ptr<ConvForm> window;
};

using Calls = std::vector<std::string>;

inline const std::string kSummary = WAVEMARK_SAMPLES_DIR "/summary.txt";
inline const std::string kText = WAVEMARK_SAMPLES_DIR "/text.txt";

inline void WindowFixture::chooseSampleExports() const {
    openDialog().acceptFile(kSummary);
    click("LoadFile(0)");
    openDialog().acceptFile(kText);
    click("LoadFile(1)");
}

} // namespace wavemark::test
