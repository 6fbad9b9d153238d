#include "survey/netstumbler/SummaryReader.h"

#include "survey/netstumbler/ExportLine.h"

#include <algorithm>
#include <string_view>

namespace wavemark {

AccessPointList ReadSummaryExport(const modLoadFile::LoadedLines& lines) {
    AccessPointList list;
    DateInForce date(lines.FileLineCount >= 4 ? DateText(lines.FileLines(4)) : std::string_view{});
    list.accessPoints.reserve(static_cast<size_t>(std::max(lines.FileLineCount - 4, 0)));
    for (int32_t i = 5; i <= lines.FileLineCount; ++i) {
        const std::string_view line = lines.FileLines(i);
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
    list.logDate = std::string(date.text());
    return list;
}

} // namespace wavemark
