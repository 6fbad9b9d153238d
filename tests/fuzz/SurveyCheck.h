#pragma once

#include "FuzzCheck.h"
#include "platform/ByteStream.h"
#include "platform/Windows1252.h"
#include "survey/Survey.h"
#include "survey/SurveyFile.h"
#include "survey/SurveyTime.h"

#include <numeric>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>

// What the survey readers' harnesses share: the bytes handed over as a
// memfd file, and a survey that holds together, written out as text so that
// two reads of the same bytes can be compared whole.
namespace wavemark::fuzz {

inline bool isPosition(double lat, double lon) {
    return lat >= -90.0 && lat <= 90.0 && lon >= -180.0 && lon <= 180.0 &&
           (lat != 0.0 || lon != 0.0);
}

// `read(stream, survey)` over `bytes`; nothing when the stream cannot open
// them (a broken gzip start).
template <typename Read>
std::optional<SurveyProblem> ReadFromMemory(std::string_view bytes, Survey& survey, Read read) {
    const int fd = ::memfd_create("survey", MFD_CLOEXEC);
    check(fd >= 0 && ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()));
    ByteStream stream;
    std::optional<SurveyProblem> problem;
    if (stream.open("/proc/self/fd/" + std::to_string(fd)) == 0) {
        problem = read(stream, survey);
    }
    ::close(fd);
    return problem;
}

// Checks that groups, counts and columns agree, that every reading has a
// position and that texts are UTF-8, and gives the whole survey as text.
inline std::string ConsistentSurveyText(const Survey& survey) {
    const Readings& r = survey.readings;
    const size_t groups = r.countOfGroup.size(), count = r.group.size();
    check(survey.bssids.size() == groups && r.lastProtectionOfGroup.size() == groups);
    check(std::accumulate(r.countOfGroup.begin(), r.countOfGroup.end(), size_t{0}) == count);
    check(r.lat.size() == count && r.time.size() == count && r.signal.size() == count);
    std::ostringstream out;
    out.precision(17);
    for (size_t i = 0; i < count; ++i) {
        check(r.group[i] >= 0 && static_cast<size_t>(r.group[i]) < groups &&
              isPosition(r.lat[i], r.lon[i]));
        out << r.group[i] << ' ' << r.lat[i] << ' ' << r.lon[i] << ' ' << r.time[i] << ' '
            << r.signal[i] << '\n';
    }
    for (const AccessPoint& ap : survey.accessPoints.accessPoints) {
        check(ap.bssid.size() == 21 && Utf8OrWindows1252(ap.networkName) == ap.networkName &&
              (!ap.hasPosition || isPosition(ap.lat, ap.lon)));
        out << ap.bssid << ap.networkName << ap.hasPosition << ap.lat << ap.lon << ap.time
            << ap.signal << static_cast<int>(ap.protection) << ap.adHoc << '\n';
    }
    out << survey.accessPoints.logDate;
    for (const auto& [why, skipped] : survey.skipped) {
        out << why << skipped;
    }
    return out.str();
}

} // namespace wavemark::fuzz
