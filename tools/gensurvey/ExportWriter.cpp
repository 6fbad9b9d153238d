#include "ExportWriter.h"

#include "CivilTime.h"
#include "ReadingWalk.h"

#include <algorithm>
#include <charconv>

namespace wavemark {

namespace {

void appendInt(std::string& out, int64_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

void appendCoordinate(std::string& out, int64_t value, char positive, char negative) {
    out += value < 0 ? negative : positive;
    out += ' ';
    out += degreesText(value);
}

void appendPosition(std::string& out, Fix fix, int64_t lat, int64_t lon) {
    switch (fix) {
    case Fix::Position:
        appendCoordinate(out, lat, 'N', 'S');
        out += '\t';
        appendCoordinate(out, lon, 'E', 'W');
        break;
    case Fix::Zero:
        out += "N 0.0000000\tE 0.0000000";
        break;
    case Fix::OutOfRange:
        out += "N 360.0000000\tE 720.0000000";
        break;
    }
}

void appendLine(std::string& out, const AccessPoint& ap, Fix fix, int64_t lat, int64_t lon,
                int64_t time, int snr, int signal, int noise) {
    appendPosition(out, fix, lat, lon);
    out += "\t( ";
    out += ap.ssid;
    out += " )\t";
    out += ap.adhoc ? "ad-hoc" : "BSS";
    out += "\t( ";
    out += ap.bssid;
    out += " )\t";
    appendClock(out, time);
    out += " (GMT)\t[ ";
    appendInt(out, snr);
    out += ' ';
    appendInt(out, signal);
    out += ' ';
    appendInt(out, noise);
    out += " ]\t# (  )\t";
    out += ap.flags;
    out += '\t';
    // One bit per channel, written as four hex digits (channel 6 is 0040).
    char hex[8];
    const auto result = std::to_chars(hex, hex + sizeof hex, 1 << ap.channel, 16);
    out.append(static_cast<size_t>(4 - (result.ptr - hex)), '0');
    out.append(hex, result.ptr);
    out += "\t100\r\n";
}

void appendHeader(std::string& out, const char* format, int64_t firstTime) {
    out += "# $Creator: Network Stumbler Version 0.4.0\r\n# $Format: ";
    out += format;
    out += "\r\n# Latitude\tLongitude\t( SSID )\tType\t( BSSID )\tTime (GMT)\t[ SNR Sig Noise "
           "]\t# ( Name )\tFlags\tChannelbits\tBcnIntvl\r\n";
    out += "# $DateGMT: ";
    appendDate(out, firstTime);
    out += "\r\n";
}

// Starts a new date line when `time` falls on another day than the last line.
void followDate(std::string& out, int64_t& day, int64_t time) {
    if (dayOf(time) != day) {
        day = dayOf(time);
        out += "# $DateGMT: ";
        appendDate(out, time);
        out += "\r\n";
    }
}

int64_t firstTime(const Survey& survey) {
    return survey.aps.empty() ? survey.steps.front().time
                              : survey.steps[survey.aps.front().firstStep].time;
}

} // namespace

std::vector<ReadingTally> writeTextExport(const Survey& survey, BufferedFile& out,
                                          ReadingLines lines) {
    std::vector<ReadingTally> tallies(survey.aps.size());
    appendHeader(out.buffer(), "wi-scan with extensions", firstTime(survey));
    int64_t day = dayOf(firstTime(survey));
    forEachReading(survey, [&](const HeardReading& reading) {
        const AccessPoint& ap = survey.aps[reading.ap];
        const Step& step = survey.steps[reading.step];
        ReadingTally& tally = tallies[reading.ap];
        if (lines == ReadingLines::Listed) {
            followDate(out.buffer(), day, step.time);
            appendLine(out.buffer(), ap, step.fix, step.lat, step.lon, step.time, reading.snr,
                       reading.signal, reading.noise);
            out.flushIfFull();
        }
        if (step.fix == Fix::Position) {
            tally.firstPositionedTime =
                tally.positioned == 0 ? step.time : tally.firstPositionedTime;
            tally.lastPositionedTime = step.time;
            ++tally.positioned;
        }
        if (!tally.heard || reading.signal > tally.signal) {
            tally.snr = reading.snr;
            tally.signal = reading.signal;
            tally.noise = reading.noise;
            tally.heard = true;
        }
    });
    return tallies;
}

void writeSummary(const Survey& survey, const std::vector<ReadingTally>& tallies,
                  BufferedFile& out) {
    appendHeader(out.buffer(), "wi-scan summary with extensions", firstTime(survey));
    int64_t day = dayOf(firstTime(survey));
    for (size_t i = 0; i < survey.aps.size(); ++i) {
        const AccessPoint& ap = survey.aps[i];
        const ReadingTally& tally = tallies[i];
        const int64_t time = survey.steps[ap.firstStep].time;
        followDate(out.buffer(), day, time);
        appendLine(out.buffer(), ap, ap.summaryFix, ap.lat, ap.lon, time, tally.snr, tally.signal,
                   tally.noise);
        out.flushIfFull();
    }
}

} // namespace wavemark
