#include "ExportText.h"

#include "TempFolder.h"
#include "platform/ReadWholeFile.h"

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

modLoadFile::LoadedLines LinesOf(const std::string& text) {
    TempFolder folder;
    modLoadFile::LoadedLines lines;
    if (const int error = modLoadFile::LoadFile(lines, folder.write("export.txt", text));
        error != 0) {
        throw std::runtime_error("loading a test export failed: " + ReadErrorText(error));
    }
    return lines;
}

} // namespace wavemark::test
