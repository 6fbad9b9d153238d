#include "Manifest.h"

#include "CivilTime.h"

#include <string>

namespace wavemark {

namespace {

constexpr int kSymbolWithoutWep = 141; // "Radio Beacon"
constexpr int kSymbolWithWep = 44;     // "Tall Tower"

struct Waypoint {
    const AccessPoint* ap;
    const ReadingTally* tally;
    std::string comment;
};

std::string signedDegrees(int64_t value) {
    return std::string(value < 0 ? "-" : "").append(degreesText(value));
}

void appendRow(std::string& out, std::initializer_list<std::string> fields) {
    bool first = true;
    for (const std::string& field : fields) {
        out += first ? "" : "\t";
        out += field;
        first = false;
    }
    out += '\n';
}

} // namespace

void writeManifest(const Survey& survey, const std::vector<ReadingTally>& tallies,
                   BufferedFile& out) {
    // The generator never writes blanks around a name, so the SSID is its own
    // trimmed form, and comment and track name are the SSID (or the waypoint
    // name when it is empty).
    int64_t countWep = 0, countNoWep = 0, countAdHoc = 0, countFiltered = 0;
    std::vector<Waypoint> waypoints;
    for (size_t i = 0; i < survey.aps.size(); ++i) {
        const AccessPoint& ap = survey.aps[i];
        if (ap.filtered) {
            ++countFiltered; // whether or not it has a position
            continue;
        }
        if (ap.summaryFix != Fix::Position) {
            continue;
        }
        countWep += ap.wep() ? 1 : 0;
        countNoWep += ap.wep() ? 0 : 1;
        countAdHoc += ap.adhoc ? 1 : 0;
        waypoints.push_back(
            Waypoint{&ap, &tallies[i], ap.ssid.empty() ? ap.nameSuffix() : ap.ssid});
    }
    int64_t trackCount = 0, trackPoints = 0;
    for (const Waypoint& w : waypoints) {
        if (w.tally->positioned >= 2) {
            ++trackCount;
            trackPoints += w.tally->positioned;
        }
    }

    std::string& text = out.buffer();
    text += "# wavemark-gensurvey manifest: the conversion with first-start defaults\n";
    appendRow(text, {"counter", "CountWEP", std::to_string(countWep)});
    appendRow(text, {"counter", "CountNoWEP", std::to_string(countNoWep)});
    appendRow(text, {"counter", "CountAdHoc", std::to_string(countAdHoc)});
    appendRow(text, {"counter", "CountFiltered", std::to_string(countFiltered)});
    appendRow(text, {"counter", "WptCount", std::to_string(waypoints.size())});
    appendRow(text, {"counter", "TrkCount", std::to_string(trackCount)});
    appendRow(text, {"counter", "TrkPointCount", std::to_string(trackPoints)});
    text += "# wpt\tname\tcomment\ttime\taltitude\tsymbol\tlat\tlon\n";
    for (const Waypoint& w : waypoints) {
        const AccessPoint& ap = *w.ap;
        const int symbol = ap.wep() ? kSymbolWithWep : kSymbolWithoutWep;
        appendRow(text, {"wpt", ap.nameSuffix(), w.comment,
                         isoTime(survey.steps[ap.firstStep].time), std::to_string(w.tally->signal),
                         std::to_string(symbol), signedDegrees(ap.lat), signedDegrees(ap.lon)});
        out.flushIfFull();
    }
    if (survey.simulated) {
        text += "# ap\tbssid\tlat\tlon: where the access point of each waypoint stands\n";
        for (const Waypoint& w : waypoints) {
            appendRow(text, {"ap", w.ap->bssid, signedDegrees(w.ap->trueLat),
                             signedDegrees(w.ap->trueLon)});
            out.flushIfFull();
        }
    }
    text += "# trk\tname\tpoints\tfirst\tlast\n";
    for (const Waypoint& w : waypoints) {
        if (w.tally->positioned >= 2) {
            appendRow(text, {"trk", w.comment, std::to_string(w.tally->positioned),
                             isoTime(w.tally->firstPositionedTime),
                             isoTime(w.tally->lastPositionedTime)});
            out.flushIfFull();
        }
    }
}

} // namespace wavemark
