// wavemark-gensurvey: writes a synthetic NetStumbler survey (summary and text
// export) and a manifest of what converting it must produce.

#include "ExportWriter.h"
#include "KismetWriter.h"
#include "Manifest.h"
#include "Ns1Writer.h"
#include "SimulatedSurvey.h"
#include "SurveyBuilder.h"
#include "WigleWriter.h"
#include "platform/BufferedFile.h"

#include <charconv>
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "usage: wavemark-gensurvey [--aps N] [--readings M] [--seed S] [--sample] [--simulate]\n"
    "                          [-o PREFIX]\n"
    "  --aps N        access points (default 10000)\n"
    "  --readings M   readings in the text export, M >= N (default 1000000)\n"
    "  --seed S       seed; the same seed gives the same files (default 1)\n"
    "  --sample       the small bundled sample survey (ignores --aps, --readings, --seed)\n"
    "  -o PREFIX      writes PREFIX-summary.txt, PREFIX-text.txt, PREFIX-manifest.tsv\n"
    "                 (default: survey)\n"
    "  --wigle V      also writes the readings as WiGLE CSV PREFIX.csv, version 1.4 or 1.6\n"
    "  --ns1 V        also writes NetStumbler's log PREFIX.ns1, version 1, 6, 8, 11 or 12\n"
    "                 (a version-1 log keeps no times, positions or readings: the exports\n"
    "                 then show none either)\n"
    "  --kismet       also writes the survey as Kismet's log PREFIX.kismet, with Wi-Fi\n"
    "                 clients and Bluetooth devices beside the access points\n"
    "  --simulate     access points at known places beside the route, heard by a radio\n"
    "                 model (ignores --readings; no --ns1); the manifest adds where\n"
    "                 each stands, the summary places each at its strongest reading\n"
    "  --path-loss N  the simulation's path-loss exponent (default 3.3)\n"
    "  --shadowing S  the simulation's shadowing sigma in dB (default 6.0)\n";

struct Options {
    uint64_t aps = 10000;
    uint64_t readings = 1000000;
    uint64_t seed = 1;
    bool sample = false;
    std::string prefix = "survey";
    std::optional<wavemark::WigleVersion> wigle;
    std::optional<int> ns1;
    bool kismet = false;
    bool simulate = false;
    wavemark::RadioModel radio;
};

bool parseNumber(std::string_view text, uint64_t& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

// Returns 0 when the options are usable, else the exit code (2: bad usage).
int parseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "-h" || arg == "--help") {
            std::cout << kUsage;
            return -1;
        }
        if (arg == "--sample") {
            options.sample = true;
        } else if (arg == "--kismet") {
            options.kismet = true;
        } else if (arg == "--simulate") {
            options.simulate = true;
        } else if ((arg == "--path-loss" || arg == "--shadowing") && hasValue) {
            double& target = arg == "--path-loss" ? options.radio.pathLossExponent
                                                  : options.radio.shadowingSigma;
            const std::string_view text = argv[++i];
            const auto result = std::from_chars(text.data(), text.data() + text.size(), target);
            if (result.ec != std::errc() || result.ptr != text.data() + text.size() ||
                !(target > 0.0 && target < 100.0)) {
                std::cerr << "wavemark-gensurvey: " << arg << " needs a positive number\n";
                return 2;
            }
        } else if (arg == "--wigle" && hasValue) {
            const std::string_view version = argv[++i];
            if (version != "1.4" && version != "1.6") {
                std::cerr << "wavemark-gensurvey: --wigle takes 1.4 or 1.6\n";
                return 2;
            }
            options.wigle =
                version == "1.4" ? wavemark::WigleVersion::V1_4 : wavemark::WigleVersion::V1_6;
        } else if (uint64_t version = 0; arg == "--ns1" && hasValue) {
            if (!parseNumber(argv[++i], version) || !wavemark::isNs1Version(version)) {
                std::cerr << "wavemark-gensurvey: --ns1 takes 1, 6, 8, 11 or 12\n";
                return 2;
            }
            options.ns1 = static_cast<int>(version);
        } else if (arg == "-o" && hasValue) {
            options.prefix = argv[++i];
        } else if ((arg == "--aps" || arg == "--readings" || arg == "--seed") && hasValue) {
            uint64_t& target = arg == "--aps"        ? options.aps
                               : arg == "--readings" ? options.readings
                                                     : options.seed;
            if (!parseNumber(argv[++i], target)) {
                std::cerr << "wavemark-gensurvey: " << arg << " needs a whole number, not \""
                          << argv[i] << "\"\n";
                return 2;
            }
        } else {
            std::cerr << "wavemark-gensurvey: unknown or incomplete option \"" << arg << "\"\n"
                      << kUsage;
            return 2;
        }
    }
    if (options.simulate && (options.ns1 || options.sample || options.aps == 0)) {
        std::cerr << "wavemark-gensurvey: --simulate needs access points, and takes neither "
                     "--ns1 nor --sample\n";
        return 2;
    }
    if (!options.sample && !options.simulate &&
        (options.aps == 0 || options.readings < options.aps)) {
        std::cerr << "wavemark-gensurvey: need at least one access point and at least as many "
                     "readings as access points\n";
        return 2;
    }
    return 0;
}

// Says which file failed and why; a failed write is remembered by the file
// until it is finished, so each file is reported once.
bool succeeded(wavemark::BufferedFile& file, bool ok) {
    if (!ok) {
        std::cerr << "wavemark-gensurvey: cannot write " << file.path() << ": " << file.errorText()
                  << "\n";
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (const int code = parseOptions(argc, argv, options); code != 0) {
        return code < 0 ? 0 : code;
    }
    const wavemark::Survey survey = wavemark::keptByNs1(
        options.simulate ? wavemark::buildSimulatedSurvey(options.aps, options.seed, options.radio)
        : options.sample ? wavemark::buildSampleSurvey()
                         : wavemark::buildRandomSurvey(
                               options.aps, static_cast<int64_t>(options.readings), options.seed),
        options.ns1.value_or(12));

    // The text export goes first: the summary and the manifest need what it
    // tallies (strongest signal, readings with a fix).
    wavemark::BufferedFile text(options.prefix + "-text.txt");
    wavemark::BufferedFile summary(options.prefix + "-summary.txt");
    wavemark::BufferedFile manifest(options.prefix + "-manifest.tsv");
    bool opened = true;
    for (wavemark::BufferedFile* file : {&text, &summary, &manifest}) {
        opened = succeeded(*file, file->open()) && opened;
    }
    if (!opened) {
        return 1;
    }
    const std::vector<wavemark::ReadingTally> tallies = wavemark::writeTextExport(
        survey, text, wavemark::ns1ReadingLines(options.ns1.value_or(12)));
    wavemark::writeSummary(survey, tallies, summary);
    wavemark::writeManifest(survey, tallies, manifest);
    bool written = true;
    for (wavemark::BufferedFile* file : {&text, &summary, &manifest}) {
        written = succeeded(*file, file->finish()) && written;
    }
    if (written && options.wigle) {
        wavemark::BufferedFile wigle(options.prefix + ".csv");
        written = succeeded(wigle, wigle.open());
        if (written) {
            wavemark::writeWigleCsv(survey, *options.wigle, wigle);
            written = succeeded(wigle, wigle.finish());
        }
    }
    if (written && options.ns1) {
        wavemark::BufferedFile ns1(options.prefix + ".ns1");
        written = succeeded(ns1, ns1.open());
        if (written) {
            wavemark::writeNs1(survey, tallies, *options.ns1, ns1);
            written = succeeded(ns1, ns1.finish());
        }
    }
    if (written && options.kismet) {
        const std::string path = options.prefix + ".kismet";
        const std::string failure = wavemark::writeKismetLog(survey, path);
        if (!failure.empty()) {
            std::cerr << "wavemark-gensurvey: cannot write " << path << ": " << failure << "\n";
            written = false;
        }
    }
    return written ? 0 : 1;
}
