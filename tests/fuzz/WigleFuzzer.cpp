// The WiGLE CSV reader over any bytes, handed over as a memfd file: it never
// crashes or reads past its buffers, what it makes is a consistent survey
// model, and reading the same bytes in blocks of a few bytes gives the same
// survey as reading them in one; numbers read as the library reads them. Input: one byte that sets
// the small block size, one that sets the longest record, then the file.
#include "FuzzCheck.h"
#include "survey/wigle/WigleCsvReader.h"
#include "survey/wigle/WigleFields.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>

namespace {

using namespace wavemark;

bool isPosition(double lat, double lon) {
    return lat >= -90.0 && lat <= 90.0 && lon >= -180.0 && lon <= 180.0 &&
           (lat != 0.0 || lon != 0.0);
}

// What the reader gives; nothing when the stream cannot open the bytes (a
// broken gzip start, which the stream itself judges).
std::optional<SurveyProblem> read(std::string_view bytes, Survey& survey,
                                  const CsvReadSizes& sizes) {
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

void checkConsistent(const Survey& survey, size_t fileSize) {
    const Readings& r = survey.readings;
    const size_t groups = r.countOfGroup.size();
    // One group per access point: a MAC is one access point.
    check(survey.groupOfBssid.size() == groups &&
          groups == survey.accessPoints.accessPoints.size());
    check(std::accumulate(r.countOfGroup.begin(), r.countOfGroup.end(), size_t{0}) ==
          r.group.size());
    check(r.group.size() <= fileSize / 8); // a row is longer than that
    for (size_t i = 0; i < r.group.size(); ++i) {
        check(r.group[i] >= 0 && static_cast<size_t>(r.group[i]) < groups);
        check(isPosition(r.lat[i], r.lon[i]) && r.time[i] >= 0);
    }
    for (const AccessPoint& ap : survey.accessPoints.accessPoints) {
        check(ap.bssid.size() == 21 && ap.bssid.starts_with("( ") && ap.time >= 0);
        check(survey.groupOfBssid.contains(ap.bssid));
        check(!ap.hasPosition || isPosition(ap.lat, ap.lon));
        check(ap.protection != Protection::Unknown);
        check(ap.networkName.empty() ||
              (ap.networkName.front() != ' ' && ap.networkName.back() != ' '));
    }
    const std::string& date = survey.accessPoints.logDate;
    check(date.empty() || (date.size() >= 10 && date[date.size() - 3] == '-'));
    for (const auto& [why, count] : survey.skipped) {
        check(count > 0 && (why == "Bluetooth and cell rows" || why == "malformed rows"));
    }
}

bool same(const Survey& a, const Survey& b) {
    const auto& x = a.accessPoints.accessPoints;
    const auto& y = b.accessPoints.accessPoints;
    bool equal = x.size() == y.size() && a.readings.group.size() == b.readings.group.size() &&
                 a.accessPoints.logDate == b.accessPoints.logDate && a.skipped == b.skipped;
    for (size_t i = 0; equal && i < x.size(); ++i) {
        equal = x[i].bssid == y[i].bssid && x[i].networkName == y[i].networkName &&
                x[i].hasPosition == y[i].hasPosition && x[i].time == y[i].time &&
                x[i].protection == y[i].protection && x[i].adHoc == y[i].adHoc &&
                (!x[i].hasPosition || (x[i].lat == y[i].lat && x[i].lon == y[i].lon));
    }
    for (size_t i = 0; equal && i < a.readings.group.size(); ++i) {
        equal = a.readings.group[i] == b.readings.group[i] &&
                a.readings.time[i] == b.readings.time[i] && a.readings.lat[i] == b.readings.lat[i];
    }
    return equal;
}

// The fast decimal parse gives what the library's exact one gives, for every
// comma-separated piece of the input.
void checkDecimals(std::string_view bytes) {
    for (size_t start = 0; start < bytes.size();) {
        const size_t comma = std::min(bytes.find(',', start), bytes.size());
        const std::string_view piece = TrimBlanks(bytes.substr(start, comma - start));
        if (const auto value = ParseDecimal(piece)) {
            const std::string_view number = piece.starts_with('+') ? piece.substr(1) : piece;
            double exact = 0.0;
            const auto result =
                std::from_chars(number.data(), number.data() + number.size(), exact);
            check(result.ec == std::errc() && result.ptr == number.data() + number.size() &&
                  exact == *value);
        }
        start = comma + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const size_t longest = 16 + size_t{data[1]} * 4;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
    checkDecimals(bytes);
    Survey whole;
    const std::optional<SurveyProblem> problem = read(bytes, whole, {1 << 20, longest});
    if (!problem) {
        return 0;
    }
    Survey pieces;
    const std::optional<SurveyProblem> again =
        read(bytes, pieces, {size_t{data[0]} % 16 + 1, longest});
    check(again && again->error == problem->error && again->text == problem->text);
    // A read error (a broken gzip stream) leaves a survey the caller drops.
    if (problem->error == 0) {
        checkConsistent(whole, bytes.size());
        check(problem->none() ||
              (whole.accessPoints.accessPoints.empty() && whole.readings.group.size() == 0));
        check(same(whole, pieces));
    }
    return 0;
}
