#include "ExportText.h"

#include "TempFolder.h"
#include "platform/LineStream.h"
#include "platform/ReadWholeFile.h"
#include "survey/netstumbler/ExportLine.h"
#include "survey/netstumbler/SummaryReader.h"

#include <optional>

#include <stdexcept>

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
    std::string_view firstLine;
    if (lines.open(folder.write("summary.txt", text)) != 0 || !lines.next(firstLine) ||
        !IsNetStumblerExport(firstLine)) {
        throw std::runtime_error("a test summary export is no export");
    }
    AccessPointList list;
    const std::optional<std::string> logDate =
        ReadSummaryExport(lines, [&list](const AccessPointView& ap) {
            list.accessPoints.push_back({std::string(ap.networkName), std::string(ap.bssid),
                                         ap.hasPosition, ap.lat, ap.lon, ap.time, ap.signal,
                                         ap.protection, ap.adHoc});
        });
    if (!logDate) {
        throw std::runtime_error("reading a test export failed: " + ReadErrorText(lines.error()));
    }
    list.logDate = *logDate;
    return list;
}

} // namespace wavemark::test
