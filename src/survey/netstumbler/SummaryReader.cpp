#include "survey/netstumbler/SummaryReader.h"

#include "platform/Windows1252.h"
#include "survey/netstumbler/ExportLine.h"

#include <string_view>

namespace wavemark {
namespace {

// An export's Windows-1252 text as UTF-8; ASCII, by far the most of it, is
// handed on as it stands.
std::string_view asUtf8(std::string_view text, std::string& room) {
    if (IsAscii(text)) {
        return text;
    }
    room = FromWindows1252(text);
    return room;
}

} // namespace

SurveyProblem ReadSummaryExport(LineStream& lines, SurveySink& sink) {
    DateInForce date = ReadHeaderDate(lines);
    std::string_view line;
    std::string_view block;
    std::string nameRoom;
    std::string bssidRoom;
    int64_t malformed = 0;
    while (lines.nextLines(block)) {
        while (TakeLine(block, line)) {
            if (IsDateLine(line)) {
                date = DateInForce(DateText(line));
                continue;
            }
            if (const auto r = ReadDataLine(line, date, kAnyColumnCount)) {
                sink.accessPoint({.networkName = asUtf8(r->networkName, nameRoom),
                                  .bssid = asUtf8(r->bssid, bssidRoom),
                                  .hasPosition = r->hasPosition(),
                                  .lat = r->lat,
                                  .lon = r->lon,
                                  .time = r->time,
                                  .signal = r->signal,
                                  .protection = r->protection(),
                                  .adHoc = r->isAdHoc()});
            } else if (IsMalformedLine(line)) {
                ++malformed;
            }
        }
    }
    if (lines.error() != 0) {
        return {lines.error(), ""};
    }
    sink.logDate(FromWindows1252(date.text()));
    sink.leftOut(kMalformedLines, malformed);
    return {};
}

} // namespace wavemark
