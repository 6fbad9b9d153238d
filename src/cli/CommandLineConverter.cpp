#include "cli/CommandLineConverter.h"

#include "cli/CliOptions.h"
#include "cli/ConsoleWindow.h"
#include "convert/Convert.h"
#include "maps/MapFile.h"
#include "platform/ByteStream.h"
#include "platform/FileSystem.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsTable.h"
#include "survey/SurveyFormat.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <string_view>

namespace wavemark {
namespace {

int usageError(std::ostream& errors, const std::string& problem) {
    errors << kUsageLine << '\n' << "wavemark-convert: " << problem << '\n';
    return kExitUsage;
}

constexpr const char* kFormatsRead =
    "wavemark-convert reads NetStumbler summary and text exports, NetStumbler NS1 logs and "
    "WiGLE CSV files, any of them gzip-compressed.";

// The kind of the first input by its first bytes; nothing for a pipe, which
// cannot be looked at twice. A file that cannot be read counts as of no
// known kind: the conversion reports why.
std::optional<SurveyFormat> formatOf(const std::string& path) {
    platform::FileFacts facts;
    if (platform::InspectInput(path, facts) == 0 && facts.kind == platform::FileKind::Pipe) {
        return std::nullopt;
    }
    ByteStream stream;
    std::string_view start;
    if (stream.open(path) != 0 || stream.peek(kFormatSignatureSize, start) != 0) {
        return SurveyFormat::Unknown;
    }
    return RecognizeSurvey(start);
}

// Whether the inputs are NetStumbler's two exports rather than survey files
// that hold their readings. A pipe first of two inputs is taken for a
// summary export, otherwise for a survey, and the conversion tells by its
// content.
bool givesExports(const std::optional<SurveyFormat>& first, size_t inputs) {
    if (!first) {
        return inputs == 2;
    }
    return *first != SurveyFormat::Ns1 && *first != SurveyFormat::WigleCsv;
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
        out << kUsageLine << '\n' << kSurveysUsageLine << "\n\n" << kHelpText;
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
    const std::vector<std::string>& paths = options.inputs;
    if (std::ranges::count(paths, std::string(platform::kStandardInput)) > 1) {
        return usageError(errors, "only one input can be the standard input (-)");
    }
    const std::optional<SurveyFormat> first = formatOf(paths[0]);
    const bool exports = givesExports(first, paths.size());
    if (exports && paths.size() > 2) {
        return usageError(errors, "too many input files");
    }
    if (exports && settings.TConvertEnabled != 0 && paths.size() < 2) {
        return usageError(errors, "no text export given (use --no-tracks to convert without)");
    }

    ConverterState state;
    ConsoleWindow window(settings, errors);
    std::vector<InputFile> inputs;
    if (exports) {
        settings.SummaryFilePath = paths[0];
        settings.TextFilePath = paths.size() > 1 ? paths[1] : "";
        inputs.push_back({"summary export", paths[0]});
        if (paths.size() > 1) {
            inputs.push_back({"text export", paths[1]});
        }
    } else {
        for (const std::string& path : paths) {
            inputs.push_back({"survey", path});
        }
    }
    const ConvertOutcome outcome =
        exports ? Convert(state, window) : ConvertSurveys(state, window, paths);
    if (outcome != ConvertOutcome::Converted) {
        if (outcome == ConvertOutcome::NotAnExport && first == SurveyFormat::Unknown) {
            errors << kFormatsRead << '\n';
        }
        return kExitFailed;
    }
    if (options.settingsPath) {
        inputs.push_back({"settings file", *options.settingsPath});
    }
    if (WriteMapFile(state.data, options.format, options.outputPath, inputs, window, window) !=
        WriteOutcome::Written) {
        return kExitFailed;
    }
    if (!options.quiet) {
        window.printCounters(out);
        for (const auto& [reason, count] : state.skipped) {
            out << "Left out, " << reason << ": " << count << '\n';
        }
    }
    return kExitOk;
}

} // namespace wavemark
