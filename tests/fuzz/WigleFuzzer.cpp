// The WiGLE CSV reader over any bytes (one byte sets a small block size, one the longest record,
// then the file): no crash, a consistent survey, the same in small blocks as in one, and every
// number read as the library's exact parse reads it.
#include "FuzzCheck.h"
#include "survey/wigle/WigleCsvReader.h"
#include "survey/wigle/WigleFields.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numeric>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>

namespace {

using namespace wavemark;

bool isPosition(double lat, double lon) {
    return std::abs(lat) <= 90.0 && std::abs(lon) <= 180.0 && (lat != 0.0 || lon != 0.0);
}

// Nothing when the stream cannot open the bytes (a broken gzip start).
std::optional<SurveyProblem> read(std::string_view bytes, Survey& survey, CsvReadSizes sizes) {
    const int fd = ::memfd_create("wigle", MFD_CLOEXEC);
    check(fd >= 0 && ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()));
    ByteStream stream;
    std::optional<SurveyProblem> problem;
    if (stream.open("/proc/self/fd/" + std::to_string(fd)) == 0) {
        problem = ReadWigleCsv(stream, survey, sizes);
    }
    ::close(fd);
    return problem;
}

// Checks the survey is consistent, and gives all of it as text.
std::string checked(const Survey& survey, size_t fileSize) {
    const Readings& r = survey.readings;
    const auto& aps = survey.accessPoints.accessPoints;
    check(survey.groupOfBssid.size() == r.countOfGroup.size() &&
          aps.size() == r.countOfGroup.size());
    check(std::accumulate(r.countOfGroup.begin(), r.countOfGroup.end(), size_t{0}) ==
          r.group.size());
    check(r.group.size() <= fileSize / 8); // a row is longer than that
    std::ostringstream out;
    out.precision(17);
    for (size_t i = 0; i < r.group.size(); ++i) {
        check(r.group[i] >= 0 && static_cast<size_t>(r.group[i]) < aps.size());
        check(isPosition(r.lat[i], r.lon[i]) && r.time[i] >= 0);
        out << r.group[i] << ' ' << r.lat[i] << ' ' << r.lon[i] << ' ' << r.time[i] << ' '
            << r.signal[i] << '\n';
    }
    for (const AccessPoint& ap : aps) {
        check(ap.bssid.size() == 21 && survey.groupOfBssid.contains(ap.bssid) && ap.time >= 0);
        check((!ap.hasPosition || isPosition(ap.lat, ap.lon)) &&
              ap.protection != Protection::Unknown);
        check(ap.networkName == TrimEnds(ap.networkName, ' ', ' '));
        out << ap.bssid << ap.networkName << ap.hasPosition << ap.lat << ap.lon << ap.time
            << ap.signal << static_cast<int>(ap.protection) << ap.adHoc << '\n';
    }
    const std::string& date = survey.accessPoints.logDate;
    check(date.empty() || (date.size() >= 10 && date[date.size() - 3] == '-'));
    out << date;
    for (const auto& [why, count] : survey.skipped) {
        check(count > 0 && (why == "Bluetooth and cell rows" || why == "malformed rows"));
        out << why << count;
    }
    return out.str();
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
