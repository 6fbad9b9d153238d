// The WiGLE CSV reader over any bytes (one byte sets a small block size, one the longest record,
// then the file): no crash, a consistent survey, the same in small blocks as in one, and every
// number read as the library's exact parse reads it.
#include "SurveyCheck.h"
#include "survey/Survey.h"
#include "survey/wigle/WigleCsvReader.h"
#include "survey/wigle/WigleFields.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace wavemark;

// The shared checks, and what WiGLE adds: one access point per BSSID, a
// class for each, finite signals, and rows longer than 8 bytes.
std::string checked(const Survey& survey, size_t fileSize) {
    const std::string text = fuzz::ConsistentSurveyText(survey);
    const auto& aps = survey.accessPoints.accessPoints;
    check(aps.size() == survey.readings.countOfGroup.size());
    check(survey.readings.group.size() <= fileSize / 8);
    for (const AccessPoint& ap : aps) {
        check(survey.bssids.find(ap.bssid) >= 0 && ap.protection != Protection::Unknown);
        check(std::isfinite(ap.signal));
    }
    const std::string& date = survey.accessPoints.logDate;
    check(date.empty() || (date.size() >= 10 && date[date.size() - 3] == '-'));
    for (const auto& [why, count] : survey.skipped) {
        check(count > 0 && (why == "rows of radios other than Wi-Fi" || why == "malformed rows" ||
                            why == "rows with coordinates out of range"));
    }
    return text;
}

std::optional<SurveyProblem> read(std::string_view bytes, Survey& survey, CsvReadSizes sizes) {
    return fuzz::ReadFromMemory(bytes, survey, [&](ByteStream& stream, Survey& into) {
        return ReadWigleCsv(stream, into, sizes);
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const size_t longest = 16 + size_t{data[1]} * 4;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
    for (size_t start = 0, comma = 0; start < bytes.size(); start = comma + 1) {
        comma = std::min(bytes.find(',', start), bytes.size());
        const std::string_view piece = TrimBlanks(bytes.substr(start, comma - start));
        if (const auto value = ParseDecimal(piece)) {
            const std::string_view number = piece.substr(piece.starts_with('+') ? 1 : 0);
            double exact = 0.0;
            const auto [end, error] =
                std::from_chars(number.data(), number.data() + number.size(), exact);
            check(error == std::errc() && end == number.data() + number.size() && exact == *value);
        }
    }
    Survey whole;
    Survey pieces;
    const auto problem = read(bytes, whole, {1 << 20, longest});
    if (!problem) {
        return 0;
    }
    const auto again = read(bytes, pieces, {size_t{data[0]} % 16 + 1, longest});
    check(again && again->error == problem->error && again->text == problem->text);
    // After a read error (a broken gzip stream) the caller drops the survey.
    if (problem->error == 0) {
        check(checked(whole, bytes.size()) == checked(pieces, bytes.size()));
        check(problem->none() ||
              (whole.accessPoints.accessPoints.empty() && whole.readings.group.size() == 0));
    }
    return 0;
}
