#include "cli/CommandLineConverter.h"

#include "cli/CliOptions.h"
#include "cli/ConsoleWindow.h"
#include "convert/Convert.h"
#include "maps/gtm/GtmWriter.h"
#include "platform/FileSystem.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsTable.h"

#include <ostream>

namespace wavemark {
namespace {

int usageError(std::ostream& errors, const std::string& problem) {
    errors << kUsageLine << '\n' << "wavemark-convert: " << problem << '\n';
    return kExitUsage;
}

void applyFlags(const CliOptions& options, Settings& settings) {
    if (options.noTracks) {
        settings.TConvertEnabled = 0;
    }
    if (options.filter) {
        settings.APFilter = *options.filter;
    }
    if (options.onlyNoWep) {
        settings.NoWEPCheck = 1;
    }
    if (options.randomColors) {
        settings.TChangeColors = *options.randomColors ? 1 : 0;
    }
}

} // namespace

int RunCommandLine(const std::vector<std::string>& args, const std::string& programFolder,
                   std::ostream& out, std::ostream& errors) {
    const CliParseResult parsed = ParseCommandLine(args);
    if (!parsed.error.empty()) {
        return usageError(errors, parsed.error);
    }
    const CliOptions& options = parsed.options;
    if (options.help) {
        out << kUsageLine << "\n\n" << kHelpText;
        return kExitOk;
    }
    if (options.version) {
        out << "wavemark-convert " << WAVEMARK_VERSION << '\n';
        return kExitOk;
    }

    Settings settings = FirstStartSettings(programFolder);
    if (options.settingsPath) {
        std::string error;
        if (!LoadSettingsFile(*options.settingsPath, settings, error)) {
            errors << error << '\n';
            return kExitFailed;
        }
    }
    applyFlags(options, settings);
    if (settings.TConvertEnabled != 0 && !options.textPath) {
        return usageError(errors, "no text export given (use --no-tracks to convert without)");
    }
    if (options.summaryPath == platform::kStandardInput &&
        options.textPath == options.summaryPath) {
        return usageError(errors, "only one input can be the standard input (-)");
    }
    settings.SummaryFilePath = options.summaryPath;
    settings.TextFilePath = options.textPath.value_or("");

    ConverterState state;
    ConsoleWindow window(settings, errors);
    if (Convert(state, window) != ConvertOutcome::Converted) {
        return kExitFailed;
    }
    std::vector<InputFile> inputs{{"summary export", options.summaryPath}};
    if (options.textPath) {
        inputs.push_back({"text export", *options.textPath});
    }
    if (options.settingsPath) {
        inputs.push_back({"settings file", *options.settingsPath});
    }
    if (WriteGtmFile(state.data, options.outputPath, inputs, window, window) !=
        WriteOutcome::Written) {
        return kExitFailed;
    }
    if (!options.quiet) {
        window.printCounters(out);
    }
    return kExitOk;
}

} // namespace wavemark
