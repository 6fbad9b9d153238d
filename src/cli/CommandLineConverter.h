#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace wavemark {

enum ExitCode { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

// Runs wavemark-convert with its arguments (without the program name);
// `programFolder` stands in for the first-start defaults' folder.
int RunCommandLine(const std::vector<std::string>& args, const std::string& programFolder,
                   std::ostream& out, std::ostream& errors);

} // namespace wavemark
