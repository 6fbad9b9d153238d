#include "ExportWriter.h"

#include "CivilTime.h"

#include <algorithm>
#include <charconv>

namespace wavemark {

namespace {

constexpr int kLostSignal = -32618; // what the scanner writes once a signal is gone

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

// The signal fades with the distance from where the access point stands,
// with a little flicker that depends only on the step and the access point.
int snrAt(const AccessPoint& ap, size_t step, size_t index) {
    const auto distance =
        static_cast<int64_t>(step > ap.centerStep ? step - ap.centerStep : ap.centerStep - step);
    const int64_t reach = ap.readings / 2 + 1;
    const auto flicker = static_cast<int64_t>(((step * 31 + index) * 2654435761ull >> 9) % 3);
    return static_cast<int>(
        std::max<int64_t>(1, ap.peakSnr - ap.peakSnr * 3 * distance / (4 * reach) - flicker));
}

} // namespace

std::vector<ReadingTally> writeTextExport(const Survey& survey, BufferedFile& out) {
    std::vector<ReadingTally> tallies(survey.aps.size());
    appendHeader(out.buffer(), "wi-scan with extensions", firstTime(survey));
    int64_t day = dayOf(firstTime(survey));
    std::vector<size_t> inRange;
    size_t next = 0;
    for (size_t t = 0; t < survey.steps.size(); ++t) {
        while (next < survey.aps.size() && survey.aps[next].firstStep == t) {
            inRange.push_back(next++);
        }
        const Step& step = survey.steps[t];
        if (!inRange.empty()) {
            followDate(out.buffer(), day, step.time);
        }
        for (const size_t i : inRange) {
            const AccessPoint& ap = survey.aps[i];
            ReadingTally& tally = tallies[i];
            const bool lost = static_cast<int64_t>(t - ap.firstStep) == ap.lostSignalAt;
            const int snr = lost ? 0 : snrAt(ap, t, i);
            const int signal = lost ? kLostSignal : ap.noise + snr;
            const int noise = lost ? kLostSignal : ap.noise;
            appendLine(out.buffer(), ap, step.fix, step.lat, step.lon, step.time, snr, signal,
                       noise);
            out.flushIfFull();
            if (step.fix == Fix::Position) {
                tally.firstPositionedTime =
                    tally.positioned == 0 ? step.time : tally.firstPositionedTime;
                tally.lastPositionedTime = step.time;
                ++tally.positioned;
            }
            if (!tally.heard || signal > tally.signal) {
                tally.snr = snr;
                tally.signal = signal;
                tally.noise = noise;
                tally.heard = true;
            }
        }
        std::erase_if(inRange, [&](size_t i) {
            return survey.aps[i].firstStep + static_cast<size_t>(survey.aps[i].readings) == t + 1;
        });
    }
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
