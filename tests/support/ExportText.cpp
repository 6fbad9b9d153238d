#include "ExportText.h"

#include "TempFolder.h"
#include "platform/LineStream.h"
#include "platform/ReadWholeFile.h"
#include "survey/Survey.h"
#include "survey/netstumbler/ExportLine.h"
#include "survey/netstumbler/SummaryReader.h"

#include <stdexcept>
#include <utility>

namespace wavemark::test {

std::string ApLine::line() const {
    return lat + "\t" + lon + "\t( " + ssid + " )\tBSS\t( " + bssid + " )\t" + time + " (GMT)\t" +
           signal + "\t# (  )\t" + flags + "\t0040\t100";
}

ApLine MakeAp(const std::string& bssid, const std::string& flags, const std::string& ssid,
              const std::string& time) {
    ApLine line;
    line.bssid = bssid;
    line.flags = flags;
    line.ssid = ssid;
    line.time = time;
    return line;
}

std::string DateLine(const std::string& date) {
    return "# $DateGMT: " + date;
}

std::string ExportText(const std::vector<std::string>& body, const std::string& date) {
    std::string text = "# $Creator: Network Stumbler Version 0.4.0\r\n"
                       "# $Format: wi-scan summary with extensions\r\n"
                       "# Latitude\tLongitude\t( SSID )\tType\t( BSSID )\tTime (GMT)\t"
                       "[ SNR Sig Noise ]\t# ( Name )\tFlags\tChannelbits\tBcnIntvl\r\n" +
                       DateLine(date) + "\r\n";
    for (const std::string& line : body) {
        text += line + "\r\n";
    }
    return text;
}

AccessPointList SummaryOf(const std::string& text) {
    TempFolder folder;
    LineStream lines;
    if (lines.open(folder.write("summary.txt", text)) != 0 ||
        !IsNetStumblerExport(text.substr(0, text.find_first_of("\r\n")))) {
        throw std::runtime_error("a test summary export is no export");
    }
    Survey survey;
    if (const SurveyProblem problem = ReadSummaryExport(lines, survey); !problem.none()) {
        throw std::runtime_error("reading a test export failed: " + ReadErrorText(problem.error));
    }
    return std::move(survey.accessPoints);
}

} // namespace wavemark::test
