#pragma once

#include "ConvForm.h"
#include "ScriptedDialog.h"
#include "Shell.h"
#include "TempFolder.h"

#include <QTest>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace wavemark::test {

// Records what the window hands the shell, as "address URL",
// "document FILE in FOLDER" or "program PATH", and answers as told.
class FakeShell : public Shell {
public:
    bool openAddress(const std::string& address) override {
        calls.push_back("address " + address);
        return true;
    }
    bool openDocument(const std::string& file, const std::string& folder) override {
        calls.push_back("document " + file + " in " + folder);
        return documentsOpen;
    }
    bool startProgram(const std::string& path) override {
        calls.push_back("program " + path);
        return programsStart;
    }

    std::vector<std::string> calls;
    bool documentsOpen = true;
    bool programsStart = false;
};

struct Shown {
    std::string text;
    MessageButtons buttons;
    MessageIcon icon;
    std::string title;
};

// Message boxes answered at once; `whileShown` runs as if inside the box,
// which is where a test looks at the window during a run.
class FakeMessages : public MessageBoxService {
public:
    MessageAnswer showMessage(const std::string& text, MessageButtons buttons, MessageIcon icon,
                              const std::string& title) override {
        shown.push_back({text, buttons, icon, title});
        if (whileShown) {
            whileShown();
        }
        return buttons == MessageButtons::YesNo ? answer : MessageAnswer::Ok;
    }

    std::vector<Shown> shown;
    MessageAnswer answer = MessageAnswer::No;
    std::function<void()> whileShown;
};

// The real main window in a program folder of its own, with scripted dialogs
// and fake message boxes and shell. start() runs start-up (again, for a
// second start in the same folder).
class WindowFixture {
public:
    ConvForm& start() {
        window = std::make_unique<ConvForm>(
            WindowFolders{folder.path().string(), folder.file("user")},
            WindowServices{[](QWidget*) { return std::make_unique<ScriptedDialog>(); }, &messages,
                           &shell});
        window->show();
        return *window;
    }

    template <typename T> T* control(const char* name) const {
        return window->findChild<T*>(QString::fromUtf8(name));
    }
    ScriptedDialog& dialog(CommonDialog& which) const {
        return dynamic_cast<ScriptedDialog&>(which);
    }
    ScriptedDialog& openDialog() const { return dialog(window->openDialog()); }
    ScriptedDialog& saveDialog() const { return dialog(window->saveDialog()); }
    ScriptedDialog& fontDialog() const { return dialog(window->fontDialog()); }
    ScriptedDialog& colorDialog() const { return dialog(window->colorDialog()); }

    void click(const char* name) const {
        QTest::mouseClick(control<QWidget>(name), Qt::LeftButton);
    }
    // Closes the window as its close button does; true when it closed.
    bool close() const { return window->close(); }

    TempFolder folder;
    FakeShell shell;
    FakeMessages messages;
    std::unique_ptr<ConvForm> window;
};

} // namespace wavemark::test
