// The small parsers: numbers, survey dates and clock times, settings values,
// export data lines and the command line. Input: one byte that picks the
// parser, then its text (for the command line, arguments separated by NUL).
#include "CliOptions.h"
#include "ExportLine.h"
#include "NumericPrefix.h"
#include "SurveyTime.h"
#include "TextForms.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace wavemark;
    if (size == 0) {
        return 0;
    }
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 6) {
    case 0:
        check(!std::isnan(NumericPrefix(text)));
        break;
    case 1:
        if (const auto day = ParseSurveyDate(text)) {
            if (const auto second = ParseClockTime(text.substr(text.size() / 2))) {
                check(*second >= 0 && *second < 86400);
                GtmTime(*day, *second);
            }
        }
        break;
    case 2:
        ParseInteger16(text);
        ParseInteger32(text);
        ParseBoolean(text);
        break;
    case 3: {
        const DateInForce date("2004-04-08");
        if (const auto reading = ReadDataLine(text, date, kAnyColumnCount)) {
            check(reading->bssid.size() >= 19);
            reading->hasPosition();
        }
        break;
    }
    case 4: {
        const size_t nul = text.find('\0');
        const DateInForce date(text.substr(0, nul));
        if (nul != std::string_view::npos) {
            ReadDataLine(text.substr(nul + 1), date, kTextExportColumnLimit);
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
        // A usable command line names a summary export that is one of the
        // arguments.
        const CliParseResult result = ParseCommandLine(args);
        const CliOptions& o = result.options;
        check(!result.error.empty() || o.help || o.version ||
              std::ranges::find(args, o.summaryPath) != args.end());
        break;
    }
    }
    return 0;
}
