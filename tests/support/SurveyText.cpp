#include "SurveyText.h"

#include "survey/SurveyTime.h"

#include <sstream>

namespace wavemark::test {

std::string SurveyText(const SurveyProblem& problem, const Survey& survey) {
    std::ostringstream out;
    out.precision(10);
    out << problem.error << " " << problem.text << "\n";
    if (problem.error != 0) {
        return out.str();
    }
    for (const AccessPoint& ap : survey.accessPoints.accessPoints) {
        out << ap.bssid << " " << ap.networkName << " | ";
        (ap.hasPosition ? out << ap.lat << " " << ap.lon : out << "-");
        out << " " << ap.time << " " << ap.signal
            << (ap.protection == Protection::Protected ? " protected" : " open")
            << (ap.adHoc ? " ad-hoc\n" : "\n");
    }
    const Readings& r = survey.readings;
    for (size_t i = 0; i < r.group.size(); ++i) {
        out << "reading " << r.group[i] << " " << r.lat[i] << " " << r.lon[i] << " "
            << UnpackTime(r.time[i]) << " " << r.signal[i] << "\n";
    }
    out << "date " << survey.accessPoints.logDate << "\n";
    for (const auto& [why, count] : survey.skipped) {
        out << why << ": " << count << "\n";
    }
    return out.str();
}

} // namespace wavemark::test
