#include "cli/CommandLineConverter.h"

#include "cli/CliOptions.h"
#include "cli/ConsoleWindow.h"
#include "convert/Convert.h"
#include "convert/InputPlan.h"
#include "maps/MapFile.h"
#include "settings/RunSettings.h"
#include "survey/SurveyFormat.h"

#include <ostream>
#include <string>
#include <vector>

namespace wavemark {
namespace {

int usageError(std::ostream& errors, const std::string& problem) {
    errors << kUsageLine << '\n' << "wavemark-convert: " << problem << '\n';
    return kExitUsage;
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

    Settings settings;
    std::string error;
    if (!LoadRunSettings(programFolder, options.settingsPath, options.overrides, settings, error)) {
        errors << error << '\n';
        return kExitFailed;
    }
    InputPlan plan;
    const bool tracks = settings.TConvertEnabled != 0;
    const bool estimates = settings.Waypoint == WaypointPosition::Estimated;
    PlanInputs(options.inputs, tracks || estimates, plan);
    switch (plan.problem) {
    case InputProblem::None:
        break;
    case InputProblem::TwoStandardInputs:
        return usageError(errors, "only one input can be the standard input (-)");
    case InputProblem::TooManyFiles:
        return usageError(errors, "too many input files");
    case InputProblem::NoReadingsFile:
        return usageError(errors, "no " + std::string(plan.first.format->readingsRole) + " given " +
                                      (tracks ? "(use --no-tracks to convert without)"
                                              : "(estimated positions are made from it)"));
    }
    if (!options.quiet) {
        for (const std::string& path : plan.repeated) {
            errors << "wavemark-convert: " << path << " is a file given before: it is read once\n";
        }
    }

    ConverterState state;
    ConsoleWindow window(settings, errors);
    if (plan.twoFiles) {
        settings.SummaryFilePath = plan.paths[0];
        settings.TextFilePath = plan.paths.size() > 1 ? plan.paths[1] : "";
    }
    const ConvertOutcome outcome = plan.twoFiles
                                       ? Convert(state, window, plan.first)
                                       : ConvertSurveys(state, window, plan.paths, plan.first);
    if (outcome != ConvertOutcome::Converted) {
        if (outcome == ConvertOutcome::NotAnExport && plan.first.format == nullptr) {
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
    std::vector<InputFile> inputs = plan.files();
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
