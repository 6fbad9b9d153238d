// The NS1 reader over any bytes (gzip-compressed too), as a memfd file: it never crashes or reads
// past its buffers, makes a consistent survey, and makes the same one in the smallest blocks.
#include "FuzzCheck.h"
#include "survey/ns1/Ns1Reader.h"

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

// Nothing when the stream cannot open the bytes (a broken gzip start).
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
    const size_t groups = r.countOfGroup.size(), count = r.group.size();
    check(survey.groupOfBssid.size() == groups && r.lastProtectionOfGroup.size() == groups);
    check(std::accumulate(r.countOfGroup.begin(), r.countOfGroup.end(), size_t{0}) == count);
    check(r.lat.size() == count && r.time.size() == count && r.signal.size() == count);
    for (size_t i = 0; i < count; ++i) {
        check(static_cast<size_t>(r.group[i]) < groups && isPosition(r.lat[i], r.lon[i]) &&
              r.time[i] >= 0);
    }
    for (const AccessPoint& ap : survey.accessPoints.accessPoints) {
        check(ap.bssid.size() == 21 && ap.time >= 0 &&
              (!ap.hasPosition || isPosition(ap.lat, ap.lon)));
        check(ap.networkName.find('\0') == std::string::npos);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Survey whole, small;
    const std::optional<SurveyProblem> problem = read(bytes, whole, kNs1BlockSize);
    if (!problem || !problem->none()) {
        // Memory holds the bytes: no read fails, unless gzip data is broken.
        check(!problem || problem->error == 0 || bytes.starts_with("\x1f\x8b"));
        return 0;
    }
    checkConsistent(whole);
    const std::optional<SurveyProblem> again = read(bytes, small, kNs1SmallestBlock);
    check(again && again->none() && small.accessPoints.logDate == whole.accessPoints.logDate);
    check(small.accessPoints.accessPoints.size() == whole.accessPoints.accessPoints.size() &&
          small.readings.group.size() == whole.readings.group.size());
    for (size_t i = 0; i < whole.readings.group.size(); ++i) {
        check(small.readings.time[i] == whole.readings.time[i] &&
              small.readings.group[i] == whole.readings.group[i]);
    }
    return 0;
}
