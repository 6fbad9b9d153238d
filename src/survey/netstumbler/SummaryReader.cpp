#include "survey/netstumbler/SummaryReader.h"

#include "survey/netstumbler/ExportLine.h"

#include <string_view>

namespace wavemark {

std::optional<std::string>
ReadSummaryExport(LineStream& lines, const std::function<void(const AccessPointView&)>& each) {
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
                each({.networkName = r->networkName,
                      .bssid = r->bssid,
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
    return std::string(date.text());
}

} // namespace wavemark
