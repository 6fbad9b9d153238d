#include "convert/Convert.h"

#include "convert/CounterDisplay.h"
#include "convert/Tracks.h"
#include "convert/WaypointStyles.h"
#include "convert/Waypoints.h"
#include "platform/LineStream.h"
#include "platform/ReadWholeFile.h"
#include "platform/Windows1252.h"
#include "survey/MergeSurveys.h"
#include "survey/netstumbler/ExportLine.h"
#include "survey/netstumbler/SummaryReader.h"
#include "survey/netstumbler/TextExportReader.h"

#include <cerrno>
#include <new>
#include <optional>
#include <span>
#include <string>

namespace wavemark {
namespace {

// What went wrong first, for the caller; each problem is shown as it is met.
class Problems {
public:
    explicit Problems(ConvertWindow& window) : m_window(window) {}

    void report(ConvertOutcome outcome, const std::string& message) {
        m_window.showMessage(message, MessageButtons::Ok, MessageIcon::None, kProgramTitle);
        note(outcome);
    }
    void reportLoadError(int code, const std::string& path) {
        m_window.showMessage(LoadErrorText(code, path), MessageButtons::Ok, MessageIcon::Critical,
                             kLoadErrorTitle);
        note(ConvertOutcome::ReadFailed);
    }
    ConvertOutcome first() const { return m_first; }

private:
    void note(ConvertOutcome outcome) {
        if (m_first == ConvertOutcome::Converted) {
            m_first = outcome;
        }
    }

    ConvertWindow& m_window;
    ConvertOutcome m_first = ConvertOutcome::Converted;
};

WaypointOptions waypointOptions(const Settings& settings) {
    WaypointOptions options;
    options.APFilter = Utf8OrWindows1252(settings.APFilter);
    options.NoWEPCheck = settings.NoWEPCheck == 1;
    options.IconNoWEP = settings.IconNoWEP;
    options.IconWEP = settings.IconWEP;
    options.StyleNoWEP = static_cast<uint8_t>(settings.StyleNoWEP);
    options.StyleWEP = static_cast<uint8_t>(settings.StyleWEP);
    return options;
}

TrackOptions trackOptions(const Settings& settings) {
    TrackOptions options;
    options.TChangeColors = settings.TChangeColors == 1;
    options.TColorNoWep = settings.TColorNoWep;
    options.TColorWep = settings.TColorWep;
    options.TLineNoWep = settings.TLineNoWep;
    options.TLineWep = settings.TLineWep;
    return options;
}

// Tells an open input's format by its first bytes; returns errno.
int recognize(ByteStream& stream, SurveyFormat& format) {
    std::string_view start;
    const int error = stream.peek(kFormatSignatureSize, start);
    format = error == 0 ? RecognizeSurvey(start) : SurveyFormat::Unknown;
    return error;
}

// What is wrong with a survey file that is of no known kind: `openError`
// is 0 or EISDIR.
std::string unknownKindText(int openError, ByteStream& stream) {
    if (openError == EISDIR) {
        return "Is a folder";
    }
    std::string_view start;
    if (stream.peek(kFormatSignatureSize, start) != 0) {
        return NotASurveyText();
    }
    return DescribeUnknownSurvey(start);
}

// A compressed input that went on after its last member, in gzip's words.
void noteTrailingBytes(const ByteStream& stream, const std::string& path,
                       std::vector<std::string>& notices) {
    if (stream.trailingBytesIgnored()) {
        notices.push_back(path + ": decompression OK, trailing garbage ignored");
    }
}

// Reads survey files that hold their own readings, the first already open,
// and merges them; nothing when one fails, which has been shown.
std::optional<Survey> readSurveys(std::span<const std::string> paths, FirstInput& first,
                                  Problems& problems, std::vector<std::string>& notices) {
    SurveyMerger merger;
    for (size_t i = 0; i < paths.size(); ++i) {
        ByteStream later;
        ByteStream& stream = i == 0 ? first.lines->source() : later;
        SurveyFormat format = first.format;
        int error = first.error;
        if (i > 0) {
            error = later.open(paths[i]);
            if (error == 0) {
                error = recognize(later, format);
            }
        }
        if (error != 0 && error != EISDIR) {
            problems.reportLoadError(error, paths[i]);
            return std::nullopt;
        }
        if (error != 0 || !HoldsReadings(format)) {
            problems.report(ConvertOutcome::NotASurvey,
                            SurveyErrorText(paths[i], unknownKindText(error, stream)));
            return std::nullopt;
        }
        Survey survey;
        const SurveyProblem problem = InfoOf(format).read(stream, survey);
        if (problem.error != 0) {
            problems.reportLoadError(problem.error, paths[i]);
            return std::nullopt;
        }
        if (!problem.text.empty()) {
            problems.report(ConvertOutcome::NotASurvey, SurveyErrorText(paths[i], problem.text));
            return std::nullopt;
        }
        noteTrailingBytes(stream, paths[i], notices);
        merger.add(std::move(survey));
    }
    return std::move(merger.total());
}

// Reads the first input: the summary export, whose waypoints it makes, or
// survey files that hold their readings too, which it returns.
std::optional<Survey> readFirstInputs(ConverterState& state, ConvertWindow& window,
                                      CounterDisplay& counters, Problems& problems,
                                      std::span<const std::string> paths, FirstInput& first,
                                      bool surveysOnly, bool& surveyFailed) {
    Settings& settings = window.settings();
    state.skipped.clear();
    state.notices.clear();
    // Where only surveys are given, a summary export has no text export
    // beside it: it may only stand alone, without tracks.
    const bool summaryAllowed =
        !surveysOnly || (paths.size() == 1 && settings.TConvertEnabled == 0);
    if ((first.error == 0 && HoldsReadings(first.format)) || !summaryAllowed) {
        std::optional<Survey> survey = readSurveys(paths, first, problems, state.notices);
        surveyFailed = !survey;
        if (survey) {
            state.skipped = survey->skipped;
            MakeWaypoints(survey->accessPoints, waypointOptions(settings), state.data, counters);
            BuildWaypointStyles(settings, state.data);
        } else {
            ShowOnly(window, std::nullopt);
        }
        return survey;
    }
    // A summary export is streamed into the waypoints: a read that fails on
    // the way is the loader's failure, and the file counts as no export at
    // all (no waypoints).
    LineStream& lines = *first.lines;
    int error = first.error;
    std::string_view firstLine;
    std::optional<std::string> logDate;
    WaypointMaker waypoints(waypointOptions(settings));
    if (error == 0 && !lines.next(firstLine)) {
        error = lines.error();
    }
    if (error == 0 && IsNetStumblerExport(firstLine)) {
        logDate = ReadSummaryExport(lines, [&](const AccessPointView& ap) { waypoints.add(ap); });
        error = lines.error();
    }
    if (error != 0) {
        problems.reportLoadError(error, paths[0]);
    }
    if (!logDate) {
        problems.report(ConvertOutcome::NotAnExport, kNotAnExportMessage);
        ShowOnly(window, std::nullopt);
        return std::nullopt;
    }
    noteTrailingBytes(lines.source(), paths[0], state.notices);
    waypoints.finish(std::move(*logDate), state.data, counters);
    BuildWaypointStyles(settings, state.data);
    return std::nullopt;
}

void makeTracks(std::span<const int32_t> groupOfWaypoint, Readings& readings, ConverterState& state,
                const Settings& settings, CounterDisplay& counters, Problems& problems) {
    if (MakeTracks(groupOfWaypoint, readings, trackOptions(settings), state.colors, state.data,
                   counters) == TracksOutcome::TooManyPoints) {
        problems.report(ConvertOutcome::TooManyPoints, kTooManyPointsMessage);
        return;
    }
    counters.showHeldPoints();
}

void readTextExport(ConverterState& state, ConvertWindow& window, CounterDisplay& counters,
                    Problems& problems, const TextReadSizes& sizes) {
    ConversionData& data = state.data;
    const Settings& settings = window.settings();
    // The text export is streamed, not loaded: only line 1 is needed to
    // know that it is one.
    LineStream lines(sizes.block);
    std::string_view firstLine;
    if (const int error = lines.open(settings.TextFilePath); error != 0) {
        problems.reportLoadError(error, settings.TextFilePath);
    } else if (!lines.next(firstLine) && lines.error() != 0) {
        problems.reportLoadError(lines.error(), settings.TextFilePath);
    }
    if (!IsNetStumblerExport(firstLine)) {
        problems.report(ConvertOutcome::NotAnExport, kNotAnExportMessage);
        return;
    }
    data.TrkCount = 0;
    data.TrkPointCount = 0;
    window.setCounterLabel(Counter::Tracks, "Reading File !");
    window.setCounterLabel(Counter::TrackPoints, "");
    window.processEvents();
    // The BSSID index serves the reading only: it is gone before the tracks
    // are made, when a large survey needs the room most.
    std::optional<BssidGroups> groups = WaypointGroups(data);
    Readings readings(groups->count());
    std::optional<std::string> lastDate =
        ReadTextExport(lines, *groups, readings, sizes.splitMinimum);
    if (!lastDate) {
        // Found only after "Reading File !": the counters go back to what
        // the lists hold, which is nothing.
        problems.reportLoadError(lines.error(), settings.TextFilePath);
        counters.readingPassDone();
        return;
    }
    noteTrailingBytes(lines.source(), settings.TextFilePath, state.notices);
    data.LogDate = std::move(*lastDate);
    const std::vector<int32_t> groupOfWaypoint = GroupOfEachWaypoint(*groups, data);
    groups.reset();
    makeTracks(groupOfWaypoint, readings, state, settings, counters, problems);
}

void run(ConverterState& state, ConvertWindow& window, Problems& problems,
         std::span<const std::string> paths, FirstInput& first, bool surveysOnly,
         const TextReadSizes& sizes) {
    Settings& settings = window.settings();
    settings.IconNoWEP = window.selectedCode(CodeList::IconNoWEP);
    settings.IconWEP = window.selectedCode(CodeList::IconWEP);
    settings.StyleNoWEP = window.selectedCode(CodeList::StyleNoWEP);
    settings.StyleWEP = window.selectedCode(CodeList::StyleWEP);

    CounterDisplay counters(window);
    bool surveyFailed = false;
    std::optional<Survey> survey =
        readFirstInputs(state, window, counters, problems, paths, first, surveysOnly, surveyFailed);
    first.lines.reset();

    ConversionData& data = state.data;
    counters.showWaypoints(data.WptCount);
    counters.showTracks(data.TrkCount);
    counters.showPoints(data.TrkPointCount);
    window.processEvents();

    if (settings.TConvertEnabled == 0) {
        data.TrkCount = 0;
        data.TrkPointCount = 0;
        counters.showTracks(0);
        counters.showPoints(0);
    } else if (survey) {
        // The access points have become waypoints: only the readings are
        // still needed.
        const std::vector<int32_t> groupOfWaypoint = GroupOfEachWaypoint(*survey, data);
        survey->accessPoints = {};
        survey->groupOfBssid = {};
        makeTracks(groupOfWaypoint, survey->readings, state, settings, counters, problems);
    } else if (!surveyFailed) {
        readTextExport(state, window, counters, problems, sizes);
    }

    state.data.DataSaved = false;
    ShowOnly(window, StatusNotice::Converted);
}

ConvertOutcome convertInputs(ConverterState& state, ConvertWindow& window,
                             std::span<const std::string> paths, FirstInput& first,
                             bool surveysOnly, const TextReadSizes& sizes) {
    window.setWaitCursor(true);
    ShowOnly(window, StatusNotice::Converting);
    Problems problems(window);
    try {
        run(state, window, problems, paths, first, surveysOnly, sizes);
    } catch (const std::bad_alloc&) {
        // A list may be half made: the counts drop to nothing so that no one
        // reads past what was made.
        ConversionData& data = state.data;
        data.WptCount = data.TrkCount = data.TrkPointCount = 0;
        data.WptStyleCount = 0;
        problems.report(ConvertOutcome::OutOfMemory, kOutOfMemoryMessage);
        ShowOnly(window, std::nullopt);
    }
    window.setWaitCursor(false);
    return problems.first();
}

} // namespace

std::string LoadErrorText(int code, const std::string& path) {
    return "An error occured: " + ReadErrorText(code) + " (Error " + std::to_string(code) +
           ")\r\nFile: " + path;
}

std::string SurveyErrorText(const std::string& path, const std::string& problem) {
    return "The survey could not be read:\r\n" + path + "\r\n" + problem;
}

void OpenFirstInput(const std::string& path, FirstInput& input) {
    input.format = SurveyFormat::Unknown;
    input.error = input.lines->open(path);
    if (input.error == 0) {
        input.error = recognize(input.lines->source(), input.format);
    }
}

ConvertOutcome Convert(ConverterState& state, ConvertWindow& window, const TextReadSizes& sizes) {
    FirstInput summary;
    OpenFirstInput(window.settings().SummaryFilePath, summary);
    return Convert(state, window, summary, sizes);
}

ConvertOutcome Convert(ConverterState& state, ConvertWindow& window, FirstInput& summary,
                       const TextReadSizes& sizes) {
    const std::string path = window.settings().SummaryFilePath;
    return convertInputs(state, window, std::span(&path, 1), summary, false, sizes);
}

ConvertOutcome ConvertSurveys(ConverterState& state, ConvertWindow& window,
                              std::span<const std::string> paths, FirstInput& first) {
    return convertInputs(state, window, paths, first, true, {});
}

} // namespace wavemark
