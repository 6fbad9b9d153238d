// The small parsers: settings values, export data lines (the lean reader
// against the general one) and the command line
// (numbers, dates and clock times are reached through the exports of the
// convert harness). Input: one byte that picks the parser (its value modulo
// 3), then its text.
#include "FuzzCheck.h"
#include "LeanAgreement.h"
#include "cli/CliOptions.h"
#include "settings/TextForms.h"
#include "survey/netstumbler/ExportLine.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace wavemark;
    if (size == 0) {
        return 0;
    }
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 3) {
    case 0:
        // What reads as a number reads the same when written back.
        if (const auto value = ParseInteger32(text)) {
            check(ParseInteger32(std::to_string(*value)) == value);
        }
        if (const auto value = ParseInteger16(text)) {
            check(ParseInteger16(std::to_string(*value)) == value);
        }
        ParseBoolean(text);
        break;
    case 1: {
        // The date in force before a NUL, the line after it; the reading's
        // texts point into the line.
        const size_t nul = std::min(text.find('\0'), text.size());
        const DateInForce date(text.substr(0, nul));
        const std::string_view line = text.substr(std::min(nul + 1, text.size()));
        const auto inLine = [&](std::string_view part) {
            return part.data() >= line.data() &&
                   part.data() + part.size() <= line.data() + line.size();
        };
        // The lean reader reads a line of NetStumbler's layout as the general one does.
        check(test::LeanDisagreement(line, date).empty());
        for (const size_t maxColumns : {kAnyColumnCount, kTextExportColumnLimit}) {
            if (const auto reading = ReadDataLine(line, date, maxColumns)) {
                check(reading->bssid.size() >= 19 && inLine(reading->bssid));
                check(reading->networkName.empty() || inLine(reading->networkName));
            }
        }
        break;
    }
    default: {
        std::vector<std::string> args;
        for (size_t start = 0; start <= text.size();) {
            const size_t end = std::min(text.find('\0', start), text.size());
            args.emplace_back(text.substr(start, end - start));
            start = end + 1;
        }
        // A usable command line names inputs that are all arguments.
        const CliParseResult result = ParseCommandLine(args);
        const CliOptions& o = result.options;
        check(!result.error.empty() || o.help || o.version ||
              (!o.inputs.empty() && std::ranges::all_of(o.inputs, [&](const std::string& in) {
                  return std::ranges::find(args, in) != args.end();
              })));
        break;
    }
    }
    return 0;
}
