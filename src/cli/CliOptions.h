#pragma once

#include "maps/MapFormat.h"
#include "settings/RunSettings.h"

#include <optional>
#include <string>
#include <vector>

namespace wavemark {

// The command line of wavemark-convert. Flags that are not given leave the
// settings (first-start defaults or a settings file) as they are.
struct CliOptions {
    // The two files of a format that keeps its readings apart (SUMMARY
    // [TEXT]), or one or more survey files that hold their readings.
    std::vector<std::string> inputs;
    std::string outputPath;
    // Named by --format, else by the output's extension.
    MapFormat format = DefaultMapFormat();
    std::optional<std::string> settingsPath;
    SettingsOverrides overrides;
    bool quiet = false;
    bool help = false;
    bool version = false;
};

struct CliParseResult {
    CliOptions options;
    std::string error; // empty when the command line is usable
};

CliParseResult ParseCommandLine(const std::vector<std::string>& args);

extern const char* const kUsageLine;
extern const char* const kSurveysUsageLine;
// The help, the formats read and written named by their tables.
std::string HelpText();

} // namespace wavemark
