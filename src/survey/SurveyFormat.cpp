#include "survey/SurveyFormat.h"

#include "survey/kismet/KismetReader.h"
#include "survey/netstumbler/ExportLine.h"
#include "survey/netstumbler/SummaryReader.h"
#include "survey/netstumbler/TextExportReader.h"
#include "survey/ns1/Ns1Reader.h"
#include "survey/wigle/WigleCsvReader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace wavemark {
namespace {

constexpr size_t kNs1HeadSize = 8;

// NetStumbler's log starts with "NetS" and its version, a small number: a
// text never holds those zero bytes.
bool isNs1Start(std::string_view start) {
    return start.size() >= kNs1HeadSize && start.starts_with("NetS") &&
           start.substr(5, 3) == std::string_view("\0\0\0", 3);
}

// Some writers put a UTF-8 byte order mark before the first line.
bool isWigleStart(std::string_view start) {
    return start.starts_with("WigleWifi-") || start.starts_with("\xEF\xBB\xBFWigleWifi-");
}

// Kismet's log is an SQLite database, whose file starts with this header.
bool isSqliteStart(std::string_view start) {
    return start.starts_with(std::string_view("SQLite format 3\0", 16));
}

bool isExportStart(std::string_view start) {
    return IsNetStumblerExport(start.substr(0, start.find_first_of("\r\n")));
}

// Every survey format, the most particular signature first.
constexpr auto kFormats = std::to_array<SurveyFormatInfo>({
    {&isNs1Start,
     [](LineStream& input, SurveySink& sink, const ReadSizes&) {
         return ReadNs1(input.source(), sink);
     },
     nullptr, "NetStumbler NS1 logs", "an NS1 log", "*.ns1", "survey", ""},
    {&isWigleStart,
     [](LineStream& input, SurveySink& sink, const ReadSizes&) {
         return ReadWigleCsv(input.source(), sink);
     },
     nullptr, "WiGLE CSV files", "a WiGLE CSV file", "*.csv", "survey", ""},
    {&isSqliteStart,
     [](LineStream& input, SurveySink& sink, const ReadSizes&) {
         return ReadKismetLog(input.source(), sink);
     },
     nullptr, "Kismet logs", "a Kismet log", "*.kismet", "survey", ""},
    {&isExportStart,
     [](LineStream& input, SurveySink& sink, const ReadSizes&) {
         return ReadSummaryExport(input, sink);
     },
     [](LineStream& input, SurveySink& sink, const ReadSizes& sizes) {
         return ReadTextExport(input, sink, sizes.splitMinimum);
     },
     "NetStumbler summary and text exports", "a NetStumbler export", "*.txt", "summary export",
     "text export"},
});

// "a, b and c".
std::string spokenList(const std::vector<std::string_view>& items, std::string_view last) {
    std::string text;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i + 1 == items.size() && i > 0) {
            text.append(" ").append(last).append(" ");
        } else if (i > 0) {
            text.append(", ");
        }
        text.append(items[i]);
    }
    return text;
}

// UTF-16 text has a byte order mark, or, in its Latin part, a zero byte in
// every other place.
bool isUtf16(std::string_view start) {
    if (start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF")) {
        return true;
    }
    const size_t checked = start.size() & ~size_t{1};
    if (checked < 4) {
        return false;
    }
    bool evenZero = true;
    bool oddZero = true;
    for (size_t i = 0; i < checked; i += 2) {
        evenZero = evenZero && start[i] == '\0' && start[i + 1] != '\0';
        oddZero = oddZero && start[i + 1] == '\0' && start[i] != '\0';
    }
    return evenZero || oddZero;
}

} // namespace

std::span<const SurveyFormatInfo> SurveyFormats() {
    return kFormats;
}

bool HoldsReadings(SurveyFormat format) {
    return format != nullptr && format->readReadings == nullptr;
}

SurveyFormat RecognizeSurvey(std::string_view start) {
    for (const SurveyFormatInfo& info : kFormats) {
        if (info.isStartOf(start)) {
            return &info;
        }
    }
    return nullptr;
}

std::string SurveyKindsRead() {
    std::vector<std::string_view> kinds;
    for (const SurveyFormatInfo& info : kFormats) {
        kinds.push_back(info.kinds);
    }
    return spokenList(kinds, "and");
}

std::string SurveyPatterns() {
    std::string patterns;
    for (const SurveyFormatInfo& info : kFormats) {
        patterns.append(patterns.empty() ? "" : ";").append(info.pattern);
    }
    return patterns;
}

std::string NotASurveyText() {
    std::vector<std::string_view> ones;
    for (const SurveyFormatInfo& info : kFormats) {
        if (info.readReadings == nullptr) {
            ones.push_back(info.one);
        }
    }
    return "Is not " + spokenList(ones, "or");
}

std::string DescribeUnknownSurvey(std::string_view start) {
    if (start.empty()) {
        return "Is empty";
    }
    // A text never holds the zero bytes of a small version number.
    if (start.starts_with("NetS") && start.size() >= kNs1HeadSize &&
        start.substr(4, 4).find('\0') != std::string_view::npos) {
        uint32_t version = 0;
        for (size_t i = kNs1HeadSize; i-- > 4;) {
            version = version << 8 | static_cast<uint8_t>(start[i]);
        }
        return "Has NS1 version " + std::to_string(version) + ", which is not known";
    }
    if (isUtf16(start)) {
        return "Is UTF-16 text";
    }
    if (start.size() < kNs1HeadSize) {
        return "Is " + std::to_string(start.size()) + (start.size() == 1 ? " byte" : " bytes") +
               " long, too short for any survey";
    }
    return NotASurveyText();
}

} // namespace wavemark
