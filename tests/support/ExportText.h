#pragma once

#include "survey/AccessPoint.h"

#include <string>
#include <vector>

namespace wavemark::test {

// One data line of a NetStumbler export, built from its readable parts.
struct ApLine {
    std::string lat = "N 47.3770150";
    std::string lon = "E 8.5390250";
    std::string ssid = "public";
    std::string bssid = "00:0b:86:c2:e1:40";
    std::string time = "12:34:56";
    std::string signal = "[ 20 70 50 ]";
    std::string flags = "0001";

    std::string line() const;
};

// A line of the access point `bssid`; the other parts as in ApLine.
ApLine MakeAp(const std::string& bssid, const std::string& flags = "0001",
              const std::string& ssid = "net", const std::string& time = "12:34:56");

// A whole export: the three header lines, "# $DateGMT: <date>", then `body`,
// every line ended by CR LF.
std::string ExportText(const std::vector<std::string>& body,
                       const std::string& date = "2004-04-08");

std::string DateLine(const std::string& date);

// The summary export `text` as the reader gives it, read from a temporary
// file; throws when it is no export or cannot be read.
AccessPointList SummaryOf(const std::string& text);

} // namespace wavemark::test
