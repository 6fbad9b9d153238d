#pragma once

#include "ui/Shell.h"

namespace wavemark {

// The shell of the desktop the program runs on: QDesktopServices opens
// addresses and documents, QProcess starts programs.
class QtShell : public Shell {
public:
    bool openAddress(const std::string& address) override;
    bool openDocument(const std::string& file, const std::string& workingFolder) override;
    bool startProgram(const std::string& path) override;
};

} // namespace wavemark
