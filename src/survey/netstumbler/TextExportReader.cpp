#include "survey/netstumbler/TextExportReader.h"

#include "platform/BlockHalves.h"
#include "platform/Windows1252.h"
#include "survey/netstumbler/ExportLine.h"
#include "survey/netstumbler/LeanLine.h"

#include <string_view>

namespace wavemark {
namespace {

// Reads whole lines, those in NetStumbler's own layout the lean way; `date`
// is the date in force, before and after. Counts the lines that are no data
// lines in `malformed`.
void readLines(std::string_view text, const BssidGroups& groups, DateInForce& date,
               Readings& readings, int64_t& malformed) {
    std::string_view line;
    LeanReading lean;
    while (!text.empty()) {
        if (const size_t taken = ReadLeanLine(text, date, lean)) {
            text.remove_prefix(taken);
            if (const int32_t group = groups.ofAddress(lean.address);
                group >= 0 && IsPosition(lean.lat, lean.lon)) {
                readings.add(group, lean.lat, lean.lon, lean.time, lean.signal, lean.protection);
            }
            continue;
        }
        TakeLine(text, line);
        if (IsDateLine(line)) {
            date = DateInForce(DateText(line));
            continue;
        }
        const auto r = ReadDataLine(line, date, kTextExportColumnLimit);
        if (!r) {
            malformed += IsMalformedLine(line) ? 1 : 0;
            continue;
        }
        if (!r->hasPosition()) {
            continue;
        }
        // The waypoints carry their BSSIDs as UTF-8.
        const int32_t group = IsAscii(r->bssid) ? groups.ofBssid(r->bssid)
                                                : groups.ofBssid(FromWindows1252(r->bssid));
        if (group >= 0) {
            readings.add(group, r->lat, r->lon, r->time, r->signal, r->protection());
        }
    }
}

// The last date line of whole lines, if any: the tag counts only where a
// line starts.
std::optional<std::string_view> lastDateLine(std::string_view text) {
    std::optional<std::string_view> last;
    for (size_t at = text.find(kDateLineTag); at != std::string_view::npos;
         at = text.find(kDateLineTag, at + 1)) {
        if (at == 0 || text[at - 1] == '\n' || text[at - 1] == '\r') {
            std::string_view rest = text.substr(at);
            std::string_view line;
            TakeLine(rest, line);
            last = line;
        }
    }
    return last;
}

} // namespace

// Each block is cut in two halves read side by side; the second starts with
// the date of the first half's last date line, found by a quick search, and
// its readings go behind the first's, so the order is the file's.
SurveyProblem ReadTextExport(LineStream& lines, SurveySink& sink, size_t splitMinimum) {
    const BssidGroups& groups = sink.wantedGroups();
    Readings& readings = sink.groupedReadings();
    DateInForce date = ReadHeaderDate(lines);
    Readings secondReadings(groups.count());
    int64_t malformed = 0;
    int64_t secondMalformed = 0;
    std::string_view block;
    while (lines.nextLines(block)) {
        const BlockHalves halves = CutInHalves(block, splitMinimum);
        if (halves.second.empty()) {
            readLines(halves.first, groups, date, readings, malformed);
            continue;
        }
        DateInForce secondDate = date;
        if (const auto dateLine = lastDateLine(halves.first)) {
            secondDate = DateInForce(DateText(*dateLine));
        }
        RunSideBySide(
            [&] { readLines(halves.first, groups, date, readings, malformed); },
            [&] { readLines(halves.second, groups, secondDate, secondReadings, secondMalformed); });
        date = secondDate;
        readings.append(secondReadings);
    }
    if (lines.error() != 0) {
        return {lines.error(), ""};
    }
    sink.logDate(FromWindows1252(date.text()));
    sink.leftOut(kMalformedLines, malformed + secondMalformed);
    return {};
}

} // namespace wavemark
