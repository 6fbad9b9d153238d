#include "cli/CommandLineConverter.h"

#include "cli/CliOptions.h"
#include "cli/ConsoleWindow.h"
#include "convert/Convert.h"
#include "maps/MapFile.h"
#include "platform/FileSystem.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsTable.h"
#include "survey/SurveyFormat.h"

#include <algorithm>
#include <ostream>
#include <string_view>
#include <utility>
#include <vector>

namespace wavemark {
namespace {

int usageError(std::ostream& errors, const std::string& problem) {
    errors << kUsageLine << '\n' << "wavemark-convert: " << problem << '\n';
    return kExitUsage;
}

// Whether the inputs are the two files of a format that keeps its readings
// in a second file (NetStumbler's summary and text export) rather than
// survey files that hold their readings. A first input of no known kind, or
// one that cannot be read, is taken for the first of two when a second
// input stands beside it, and the conversion says what is wrong with it.
bool givesTwoFiles(const FirstInput& first, size_t inputs) {
    if (first.error != 0 || first.format == SurveyFormat::Unknown) {
        return inputs == 2;
    }
    return !HoldsReadings(first.format);
}

// The inputs as the output's description lists them.
std::vector<InputFile> inputFiles(const std::vector<std::string>& paths, SurveyFormat format,
                                  bool twoFiles) {
    const SurveyFormatInfo& info = InfoOf(format);
    std::vector<InputFile> inputs;
    for (size_t i = 0; i < paths.size(); ++i) {
        inputs.push_back({twoFiles && i > 0 ? info.readingsRole : info.role, paths[i]});
    }
    return inputs;
}

// The inputs without a file given again under the same or another name,
// each said on `notices`: merging a file with itself would double its
// readings.
std::vector<std::string> withoutRepeats(const std::vector<std::string>& paths,
                                        std::ostream* notices) {
    std::vector<std::string> kept;
    std::vector<std::pair<uint64_t, uint64_t>> seen;
    for (const std::string& path : paths) {
        platform::FileFacts facts;
        if (platform::InspectInput(path, facts) == 0 && facts.kind == platform::FileKind::Regular) {
            const std::pair file(facts.device, facts.inode);
            if (std::ranges::find(seen, file) != seen.end()) {
                if (notices) {
                    *notices << "wavemark-convert: " << path
                             << " is a file given before: it is read once\n";
                }
                continue;
            }
            seen.push_back(file);
        }
        kept.push_back(path);
    }
    return kept;
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
        out << kUsageLine << '\n' << kSurveysUsageLine << "\n\n" << HelpText();
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
    if (std::ranges::count(options.inputs, std::string(platform::kStandardInput)) > 1) {
        return usageError(errors, "only one input can be the standard input (-)");
    }
    // The first input is opened once: its first bytes tell its kind and are
    // then read, as a pipe cannot be read twice.
    FirstInput first;
    OpenFirstInput(options.inputs[0], first);
    const bool twoFiles = givesTwoFiles(first, options.inputs.size());
    const std::vector<std::string> paths =
        twoFiles ? options.inputs
                 : withoutRepeats(options.inputs, options.quiet ? nullptr : &errors);
    if (twoFiles && paths.size() > 2) {
        return usageError(errors, "too many input files");
    }
    if (twoFiles && settings.TConvertEnabled != 0 && paths.size() < 2) {
        return usageError(errors, "no " + std::string(InfoOf(first.format).readingsRole) +
                                      " given (use --no-tracks to convert without)");
    }

    ConverterState state;
    ConsoleWindow window(settings, errors);
    if (twoFiles) {
        settings.SummaryFilePath = paths[0];
        settings.TextFilePath = paths.size() > 1 ? paths[1] : "";
    }
    const ConvertOutcome outcome =
        twoFiles ? Convert(state, window, first) : ConvertSurveys(state, window, paths, first);
    if (outcome != ConvertOutcome::Converted) {
        if (outcome == ConvertOutcome::NotAnExport && first.format == SurveyFormat::Unknown) {
            errors << "wavemark-convert reads " << SurveyKindsRead()
                   << ", any of them gzip-compressed.\n";
        }
        return kExitFailed;
    }
    if (!options.quiet) {
        for (const std::string& notice : state.notices) {
            errors << "wavemark-convert: " << notice << '\n';
        }
    }
    std::vector<InputFile> inputs = inputFiles(paths, first.format, twoFiles);
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
        if (state.data.NamesCut > 0) {
            out << "Network names cut to " << kMaxNameBytes << " bytes: " << state.data.NamesCut
                << '\n';
        }
    }
    return kExitOk;
}

} // namespace wavemark
