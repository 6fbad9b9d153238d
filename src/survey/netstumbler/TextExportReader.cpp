#include "survey/netstumbler/TextExportReader.h"

#include "platform/OrderedPieces.h"
#include "platform/Windows1252.h"
#include "survey/netstumbler/ExportLine.h"
#include "survey/netstumbler/LeanLine.h"

#include <string_view>
#include <vector>

namespace wavemark {
namespace {

// The readings of one block, kept apart until those of the blocks before it
// are in. Times stay seconds, so that a block read under a date that turns
// out not to be the one in force can be moved to the right day.
struct BlockReadings {
    std::vector<int32_t> group;
    std::vector<double> lat;
    std::vector<double> lon;
    std::vector<int64_t> seconds;
    std::vector<float> signal;
    std::vector<Protection> protection;

    void add(int32_t groupOf, double latitude, double longitude, int64_t time, float level,
             Protection seen) {
        group.push_back(groupOf);
        lat.push_back(latitude);
        lon.push_back(longitude);
        seconds.push_back(time);
        signal.push_back(level);
        protection.push_back(seen);
    }
    size_t size() const { return group.size(); }
    void clear() {
        group.clear();
        lat.clear();
        lon.clear();
        seconds.clear();
        signal.clear();
        protection.clear();
    }
};

// A block of whole lines and what reading it gave. It is read under the
// date in force when it was handed out, which a date line in a block still
// being read may change: the lines before its own first date line (its
// prefix) are then read again, or, when the lean reader took every one,
// only moved by the days between the two dates.
struct Block {
    std::string_view text;
    DateInForce start;
    DateInForce end;
    size_t prefixBytes = 0;
    size_t prefixReadings = 0;
    int64_t prefixMalformed = 0;
    bool prefixAllLean = true;
    BlockReadings found;
    int64_t malformed = 0;

    // A date line ends the prefix: the block has one when its prefix is not
    // all of it.
    bool metDateLine() const { return prefixBytes < text.size(); }
};

// Reads whole lines, those in NetStumbler's own layout the lean way; `date`
// is the date in force, before and after. Counts the lines that are no data
// lines in `malformed`. Stops after the first date line when `untilDate`.
size_t readLines(std::string_view text, const BssidGroups& groups, DateInForce& date,
                 BlockReadings& found, int64_t& malformed, bool& allLean, bool untilDate) {
    const size_t size = text.size();
    std::string_view line;
    LeanReading lean;
    while (!text.empty()) {
        if (const size_t taken = ReadLeanLine(text, date, lean)) {
            text.remove_prefix(taken);
            if (const int32_t group = groups.ofAddress(lean.address);
                group >= 0 && IsPosition(lean.lat, lean.lon)) {
                found.add(group, lean.lat, lean.lon, lean.time, lean.signal, lean.protection);
            }
            continue;
        }
        const size_t lineStart = size - text.size();
        TakeLine(text, line);
        if (IsDateLine(line)) {
            if (untilDate) {
                return lineStart;
            }
            date = DateInForce(DateText(line));
            continue;
        }
        allLean = false;
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
            found.add(group, r->lat, r->lon, r->time, r->signal, r->protection());
        }
    }
    return size;
}

void readBlock(Block& block, const BssidGroups& groups) {
    block.found.clear();
    block.end = block.start;
    block.prefixAllLean = true;
    block.prefixMalformed = 0;
    block.prefixBytes = readLines(block.text, groups, block.end, block.found, block.prefixMalformed,
                                  block.prefixAllLean, true);
    block.prefixReadings = block.found.size();
    bool restLean = true;
    block.malformed = block.prefixMalformed;
    readLines(block.text.substr(block.prefixBytes), groups, block.end, block.found, block.malformed,
              restLean, false);
}

// Moves the prefix's readings by whole days; false when a time would leave
// the range a reading can hold, or a line of the prefix may read otherwise.
bool moveDays(Block& block, const DateInForce& date) {
    if (!block.prefixAllLean || !block.start.day() || !date.day()) {
        return false;
    }
    const int64_t shift = (*date.day() - *block.start.day()) * kSecondsPerDay;
    for (size_t i = 0; i < block.prefixReadings; ++i) {
        if (PackTime(block.found.seconds[i] + shift) == kNoPackedTime) {
            return false;
        }
    }
    for (size_t i = 0; i < block.prefixReadings; ++i) {
        block.found.seconds[i] += shift;
    }
    return true;
}

// Puts the prefix right for the date truly in force at the block's start.
void redate(Block& block, const DateInForce& date, const BssidGroups& groups) {
    if (moveDays(block, date)) {
        return;
    }
    BlockReadings prefix;
    int64_t malformed = 0;
    bool allLean = true;
    DateInForce prefixDate = date;
    readLines(block.text.substr(0, block.prefixBytes), groups, prefixDate, prefix, malformed,
              allLean, false);
    const auto rest = static_cast<ptrdiff_t>(block.prefixReadings);
    const auto splice = [&](auto& into, auto& from) {
        from.insert(from.end(), into.begin() + rest, into.end());
        into.swap(from);
    };
    splice(block.found.group, prefix.group);
    splice(block.found.lat, prefix.lat);
    splice(block.found.lon, prefix.lon);
    splice(block.found.seconds, prefix.seconds);
    splice(block.found.signal, prefix.signal);
    splice(block.found.protection, prefix.protection);
    block.malformed += malformed - block.prefixMalformed;
    if (!block.metDateLine()) {
        block.end = prefixDate;
    }
}

} // namespace

// The blocks are read by this thread and a helper, a few ahead of the one
// taken next, each under the date in force after the last block taken; a
// block taken under another date has its prefix put right first.
SurveyProblem ReadTextExport(LineStream& lines, SurveySink& sink, size_t splitMinimum) {
    const BssidGroups& groups = sink.wantedGroups();
    Readings& readings = sink.groupedReadings();
    DateInForce date = ReadHeaderDate(lines);
    int64_t malformed = 0;
    std::vector<Block> blocks(kPiecesInFlight);
    OrderedPieces pieces(
        blocks.size(), [&](size_t slot) { readBlock(blocks[slot], groups); },
        [&](size_t slot) {
            Block& block = blocks[slot];
            if (block.start.text() != date.text()) {
                redate(block, date, groups);
            }
            date = block.metDateLine() ? block.end : date;
            const BlockReadings& found = block.found;
            for (size_t i = 0; i < found.size(); ++i) {
                readings.add(found.group[i], found.lat[i], found.lon[i], found.seconds[i],
                             found.signal[i], found.protection[i]);
            }
            malformed += block.malformed;
        });
    lines.keepBlocks(blocks.size());
    std::string_view text;
    for (size_t slot = pieces.freeSlot(); lines.nextLines(text); slot = pieces.freeSlot()) {
        blocks[slot].text = text;
        blocks[slot].start = date;
        pieces.add(text.size() >= splitMinimum);
    }
    pieces.finish();
    if (lines.error() != 0) {
        return {lines.error(), ""};
    }
    sink.logDate(FromWindows1252(date.text()));
    sink.leftOut(kMalformedLines, malformed);
    return {};
}

} // namespace wavemark
