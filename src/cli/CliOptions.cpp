#include "cli/CliOptions.h"

#include "survey/SurveyFormat.h"

namespace wavemark {

const char* const kUsageLine = "usage: wavemark-convert [options] SUMMARY [TEXT] -o OUTPUT";
const char* const kSurveysUsageLine = "       wavemark-convert [options] SURVEY... -o OUTPUT";

namespace {

// `text` broken into lines of at most 78 characters at its blanks.
std::string wrapped(const std::string& text) {
    std::string lines;
    size_t lineStart = 0;
    size_t from = 0;
    while (from < text.size()) {
        size_t end = text.find(' ', from);
        end = end == std::string::npos ? text.size() : end;
        if (end - lineStart > 78 && from > lineStart) {
            lines.back() = '\n';
            lineStart = from;
        }
        lines.append(text, from, end - from).append(end < text.size() ? " " : "");
        from = end + 1;
    }
    return lines + "\n";
}

} // namespace

std::string HelpText() {
    return wrapped("Converts survey files (" + SurveyKindsRead() +
                   ") into a map with a waypoint per access point and a track per access "
                   "point through its readings. Any input may be gzip-compressed; the kind of a "
                   "file is told by its content, not its name. Several survey files that hold "
                   "their own readings are merged: one access point per BSSID (its strongest "
                   "reading), its readings in the order the files are given.") +
           "\n"
           "  -o, --output FILE    map file to write (required), in the format its\n"
           "                       extension names: " +
           MapFormatExtensions() +
           "\n"
           "  --format FORMAT      " +
           MapFormatNames() +
           ", whatever the output's name\n"
           "  --settings FILE      read options from an INI file in the Wavemark.ini\n"
           "                       format; keys it lacks keep their first-start defaults\n"
           "  --no-tracks          do not read a text export\n"
           "  --filter TEXT        comma-separated network names to leave out\n"
           "  --only-no-wep        keep only access points without WEP\n"
           "  --fixed-colors       track colours by WEP class\n"
           "  --random-colors      a random colour per track\n"
           "  --position RULE      where waypoints stand: strongest (the strongest\n"
           "                       reading's position, the default) or estimated (the\n"
           "                       position estimated from the readings)\n"
           "  -q, --quiet          print nothing but errors\n"
           "  -h, --help           show this help\n"
           "  --version            show the version\n"
           "\n"
           "TEXT is required unless tracks are off and waypoints stand at their\n"
           "strongest readings; any input may be a pipe, or - for the standard input.\n"
           "On success the seven counters are printed, and for survey files the rows\n"
           "they held that were left out, and the exit status is 0; an input that\n"
           "cannot be read or is not a survey, or an output that cannot be written or\n"
           "is refused (an input, a folder, a device, a pipe, a socket, a read-only\n"
           "file), gives status 1; bad usage 2.\n";
}

CliParseResult ParseCommandLine(const std::vector<std::string>& args) {
    CliParseResult result;
    CliOptions& o = result.options;
    std::vector<std::string> positional;
    std::optional<std::string> output;
    MapFormat format = nullptr;
    auto fail = [&result](std::string message) {
        result.error = std::move(message);
        return result;
    };

    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) {
                return false;
            }
            into = args[++i];
            return true;
        };
        std::string text;
        if (arg == "-h" || arg == "--help") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
        } else if (arg == "-o" || arg == "--output") {
            if (!value(text)) {
                return fail("option " + arg + " needs a file name");
            }
            output = text;
        } else if (arg == "--format") {
            if (!value(text)) {
                return fail("option --format needs " + MapFormatNames());
            }
            format = MapFormatNamed(text);
            if (!format) {
                return fail("unknown map format " + text + " (" + MapFormatNames() + ")");
            }
        } else if (arg == "--settings") {
            if (!value(text)) {
                return fail("option --settings needs a file name");
            }
            o.settingsPath = text;
        } else if (arg == "--filter") {
            if (!value(text)) {
                return fail("option --filter needs a text");
            }
            o.overrides.filter = text;
        } else if (arg == "--position") {
            if (!value(text)) {
                return fail("option --position needs strongest or estimated");
            }
            o.overrides.position = WaypointPositionNamed(text);
            if (!o.overrides.position) {
                return fail("unknown waypoint position " + text + " (strongest or estimated)");
            }
        } else if (arg == "--no-tracks") {
            o.overrides.noTracks = true;
        } else if (arg == "--only-no-wep") {
            o.overrides.onlyNoWep = true;
        } else if (arg == "--fixed-colors" || arg == "--random-colors") {
            const bool random = arg == "--random-colors";
            if (o.overrides.randomColors && *o.overrides.randomColors != random) {
                return fail("--fixed-colors and --random-colors exclude each other");
            }
            o.overrides.randomColors = random;
        } else if (arg == "-q" || arg == "--quiet") {
            o.quiet = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return fail("unknown option " + arg);
        } else {
            positional.push_back(arg);
        }
    }
    if (o.help || o.version) {
        return result;
    }
    if (positional.empty()) {
        return fail("no summary export given");
    }
    if (!output) {
        return fail("no output file given (-o FILE)");
    }
    if (!format) {
        format = MapFormatOfPath(*output);
    }
    if (!format) {
        return fail("the map format of " + *output + " is unknown: name it " +
                    MapFormatExtensions() + ", or give --format");
    }
    o.inputs = std::move(positional);
    o.outputPath = *output;
    o.format = format;
    return result;
}

} // namespace wavemark
