#include "survey/netstumbler/SummaryReader.h"

#include "survey/netstumbler/ExportLine.h"

#include <string_view>

namespace wavemark {

std::optional<AccessPointList> ReadSummaryExport(LineStream& lines) {
    AccessPointList list;
    DateInForce date = ReadHeaderDate(lines);
    std::string_view line;
    std::string_view block;
    while (lines.nextLines(block)) {
        while (TakeLine(block, line)) {
            if (IsDateLine(line)) {
                date = DateInForce(DateText(line));
                continue;
            }
            if (const auto r = ReadDataLine(line, date, kAnyColumnCount)) {
                list.accessPoints.push_back({.networkName = std::string(r->networkName),
                                             .bssid = std::string(r->bssid),
                                             .hasPosition = r->hasPosition(),
                                             .lat = r->lat,
                                             .lon = r->lon,
                                             .time = r->time,
                                             .signal = r->signal,
                                             .protection = r->protection(),
                                             .adHoc = r->isAdHoc()});
            }
        }
    }
    if (lines.error() != 0) {
        return std::nullopt;
    }
    list.logDate = std::string(date.text());
    return list;
}

} // namespace wavemark
