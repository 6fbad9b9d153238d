#pragma once

#include "Survey.h"
#include "platform/BufferedFile.h"

#include <vector>

namespace wavemark {

// What the text export holds for one access point, gathered while it is
// written: the summary line and the manifest are derived from it.
struct ReadingTally {
    int64_t positioned = 0; // readings with a fix
    int64_t firstPositionedTime = 0;
    int64_t lastPositionedTime = 0;
    // The strongest reading, as the summary shows it.
    int snr = 0;
    int signal = 0;
    int noise = 0;
    bool heard = false;
};

// Both exports are tab-separated NetStumbler "wi-scan" files with CR LF line
// ends: four header lines (creator, format, column titles, first date), then
// data lines, and a "# $DateGMT: yyyy-mm-dd" line wherever the date changes.
// The text export has one line per reading in the order the scanner made
// them, or none for a log that keeps no readings (`Omitted`); tallies are
// indexed like survey.aps.
enum class ReadingLines { Listed, Omitted };
std::vector<ReadingTally> writeTextExport(const Survey& survey, BufferedFile& out,
                                          ReadingLines lines = ReadingLines::Listed);
// The summary export has one line per access point, in the order they were
// first heard, with the time first heard and the strongest reading.
void writeSummary(const Survey& survey, const std::vector<ReadingTally>& tallies,
                  BufferedFile& out);

} // namespace wavemark
