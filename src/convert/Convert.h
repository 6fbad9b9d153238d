#pragma once

#include "convert/ConversionData.h"
#include "convert/ConvertWindow.h"
#include "convert/TrackColorGenerator.h"
#include "platform/LoadFile.h"
#include "survey/netstumbler/TextExportReader.h"

namespace wavemark {

// What lives from start-up to close beside the settings: the result of the
// last run, the loader's lines and the track colour sequence.
struct ConverterState {
    ConversionData data;
    modLoadFile::LoadedLines lines;
    TrackColorGenerator colors;
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
    ReadFailed,    // an export could not be read
    NotAnExport,   // a file read is not a NetStumbler export
    TooManyPoints, // more trackpoints than a GTM file can count: no track
    OutOfMemory,   // the run stopped with an empty result
};

// The "Convert Data" command: reads the summary export into waypoints and,
// when tracks are on, the text export into tracks, showing the counters as
// they grow. A file that is not an export leaves its part of the previous
// result in place; a text export with more trackpoints than a GTM file can
// count gives no track. When memory runs out the run stops with a message
// and an empty result. The result is left unsaved.
ConvertOutcome Convert(ConverterState& state, ConvertWindow& window,
                       const TextReadSizes& sizes = {});

// The loader's message for a file it could not read, with errno `code`.
std::string LoadErrorText(int code, const std::string& path);
inline constexpr const char* kLoadErrorTitle = "ERROR - LoadFile";

} // namespace wavemark
