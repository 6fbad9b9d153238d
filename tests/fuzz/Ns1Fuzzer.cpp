// The NS1 reader over any bytes (gzip-compressed ones too), handed over as
// a memfd file: it never crashes or reads past its buffers, and what it
// makes is a consistent survey model. The same bytes read in the smallest
// blocks give the same survey, so the block edges fall inside every field
// somewhere in the corpus.
#include "FuzzCheck.h"
#include "survey/ns1/Ns1Reader.h"

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
std::optional<SurveyProblem> read(std::string_view bytes, Survey& survey, size_t blockSize) {
    const int fd = ::memfd_create("ns1", MFD_CLOEXEC);
    check(fd >= 0 && ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()));
    ByteStream stream;
    std::optional<SurveyProblem> problem;
    if (stream.open("/proc/self/fd/" + std::to_string(fd)) == 0) {
        problem = ReadNs1(stream, survey, blockSize);
    }
    ::close(fd);
    return problem;
}

void checkConsistent(const Survey& survey) {
    const Readings& r = survey.readings;
    const size_t groups = r.countOfGroup.size();
    check(survey.groupOfBssid.size() == groups && r.lastProtectionOfGroup.size() == groups);
    check(std::accumulate(r.countOfGroup.begin(), r.countOfGroup.end(), size_t{0}) ==
          r.group.size());
    check(r.lat.size() == r.group.size() && r.lon.size() == r.group.size() &&
          r.time.size() == r.group.size() && r.signal.size() == r.group.size());
    for (size_t i = 0; i < r.group.size(); ++i) {
        check(r.group[i] >= 0 && static_cast<size_t>(r.group[i]) < groups);
        check(isPosition(r.lat[i], r.lon[i]) && r.time[i] >= 0);
    }
    for (const AccessPoint& ap : survey.accessPoints.accessPoints) {
        check(ap.bssid.size() == 21 && ap.time >= 0);
        check(!ap.hasPosition || isPosition(ap.lat, ap.lon));
        check(ap.networkName.find('\0') == std::string::npos);
    }
    const std::string& date = survey.accessPoints.logDate;
    check(date.empty() || (date.size() >= 10 && date[date.size() - 3] == '-'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Survey whole;
    const std::optional<SurveyProblem> problem = read(bytes, whole, kNs1BlockSize);
    if (!problem || !problem->none()) {
        // Memory holds the bytes: no read fails, unless gzip data is broken.
        check(!problem || problem->error == 0 || bytes.starts_with("\x1f\x8b"));
        return 0;
    }
    checkConsistent(whole);
    Survey small;
    const std::optional<SurveyProblem> again = read(bytes, small, kNs1SmallestBlock);
    check(again && again->none());
    check(small.accessPoints.accessPoints.size() == whole.accessPoints.accessPoints.size());
    check(small.accessPoints.logDate == whole.accessPoints.logDate);
    check(small.readings.group.size() == whole.readings.group.size());
    for (size_t i = 0; i < whole.readings.group.size(); ++i) {
        check(small.readings.time[i] == whole.readings.time[i] &&
              small.readings.group[i] == whole.readings.group[i]);
    }
    return 0;
}
