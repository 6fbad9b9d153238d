#pragma once

#include "convert/ConversionData.h"
#include "convert/ConvertWindow.h"
#include "convert/TrackColorGenerator.h"
#include "platform/LineStream.h"
#include "survey/SurveyFile.h"
#include "survey/SurveyFormat.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace wavemark {

// What lives from start-up to close beside the settings: the result of the
// last run and the track colour sequence.
struct ConverterState {
    ConversionData data;
    TrackColorGenerator colors;
    // What the last run's survey files held that it left out, and why.
    LeftOutCounts skipped;
    // What the last run noticed of its inputs that did not stop it.
    std::vector<std::string> notices;
};

inline constexpr const char* kNotAnExportMessage = "Not a Network Stumbler file !";
inline constexpr const char* kTooManyPointsMessage =
    "The text export has too many track points for a GTM file.";
inline constexpr const char* kOutOfMemoryMessage =
    "There is not enough memory to convert the survey.";

// How a conversion ended: the first thing that went wrong, each already
// shown to the user in a message box when it happened.
enum class [[nodiscard]] ConvertOutcome{
    Converted,
    ReadFailed,    // an input could not be read
    NotAnExport,   // the summary or the text file is of no kind the window's form takes
    NotASurvey,    // a survey file that is broken, or not one where surveys are merged
    TooManyPoints, // more trackpoints than a GTM file can count: no track
    OutOfMemory,   // the run stopped with an empty result
};

// The "Convert Data" command: reads the summary file (settings.
// SummaryFilePath) into waypoints and, when tracks are on, the text file
// into tracks, showing the counters as they grow. Every file is read through
// its format's row of the survey format table, told by its content. A file
// of no kind the form takes leaves its part of the previous result in place;
// readings with more trackpoints than a GTM file can count give no track.
// When memory runs out the run stops with a message and an empty result.
// The result is left unsaved.
//
// A summary file that holds its readings too gives the waypoints and the
// tracks, and the text file is not read.
ConvertOutcome Convert(ConverterState& state, ConvertWindow& window, const ReadSizes& sizes = {});

// The first input of a conversion, opened and told by its first bytes once:
// those bytes are then read, as a pipe or the standard input cannot be
// looked at twice.
struct FirstInput {
    // Let go once read, so that its block is free before later inputs come.
    std::optional<LineStream> lines{std::in_place};
    SurveyFormat format = nullptr;
    int error = 0; // errno of opening it or of reading its first bytes
};
void OpenFirstInput(const std::string& path, FirstInput& input);

// The same with the summary (settings.SummaryFilePath) already open.
ConvertOutcome Convert(ConverterState& state, ConvertWindow& window, FirstInput& summary,
                       const ReadSizes& sizes = {});

// The same for survey files of one survey, merged (see SurveyMerger), the
// first already open: the command-line converter's form. The first file of
// a format that keeps its readings apart may only stand alone there, with
// tracks off, as no second file goes with it; a lone input of no known kind
// is told the user as what it is.
ConvertOutcome ConvertSurveys(ConverterState& state, ConvertWindow& window,
                              std::span<const std::string> paths, FirstInput& first);

// The message for a survey file that is not what its start promised.
std::string SurveyErrorText(const std::string& path, const std::string& problem);

// The loader's message for a file it could not read, with errno `code`.
std::string LoadErrorText(int code, const std::string& path);
inline constexpr const char* kLoadErrorTitle = "ERROR - LoadFile";

} // namespace wavemark
