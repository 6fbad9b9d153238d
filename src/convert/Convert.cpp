#include "convert/Convert.h"

#include "convert/ConversionSink.h"
#include "convert/CounterDisplay.h"
#include "convert/EstimatedPositions.h"
#include "convert/Tracks.h"
#include "convert/WaypointStyles.h"
#include "convert/Waypoints.h"
#include "platform/LineStream.h"
#include "platform/ReadWholeFile.h"
#include "platform/Windows1252.h"
#include "survey/MergeSurveys.h"

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
    format = error == 0 ? RecognizeSurvey(start) : nullptr;
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

// What one run reads and keeps on the way.
struct Run {
    ConverterState& state;
    ConvertWindow& window;
    Problems& problems;
    CounterDisplay& counters;
    ConversionSink& sink;
    const ReadSizes& sizes;
};

// Reads an open survey file with `format`'s reader; false when it failed,
// which has been shown.
bool readFile(Run& run, LineStream& input, SurveyReader read, const std::string& path,
              SurveySink& sink) {
    const SurveyProblem problem = read(input, sink, run.sizes);
    if (problem.error != 0) {
        run.problems.reportLoadError(problem.error, path);
        return false;
    }
    if (!problem.text.empty()) {
        run.problems.report(ConvertOutcome::NotASurvey, SurveyErrorText(path, problem.text));
        return false;
    }
    // A compressed input that went on after its last member, in gzip's words.
    if (input.source().trailingBytesIgnored()) {
        run.state.notices.push_back(path + ": decompression OK, trailing garbage ignored");
    }
    return true;
}

// Reads a survey file that holds its readings, opened as `input` with
// `error`, into `sink`; false when it failed, which has been shown.
bool readSurveyFile(Run& run, LineStream& input, SurveyFormat format, int error,
                    const std::string& path, SurveySink& sink) {
    if (error != 0 && error != EISDIR) {
        run.problems.reportLoadError(error, path);
        return false;
    }
    if (error != 0 || !HoldsReadings(format)) {
        run.problems.report(ConvertOutcome::NotASurvey,
                            SurveyErrorText(path, unknownKindText(error, input.source())));
        return false;
    }
    return readFile(run, input, format->read, path, sink);
}

// Reads survey files that hold their readings, the first already open; a
// single one straight into the conversion, several merged first. False when
// one failed.
bool readSurveys(Run& run, std::span<const std::string> paths, FirstInput& first) {
    if (paths.size() == 1) {
        return readSurveyFile(run, *first.lines, first.format, first.error, paths[0], run.sink);
    }
    SurveyMerger merger;
    for (size_t i = 0; i < paths.size(); ++i) {
        std::optional<LineStream> later;
        SurveyFormat format = first.format;
        int error = first.error;
        if (i > 0) {
            later.emplace(run.sizes.block);
            error = later->open(paths[i]);
            if (error == 0) {
                error = recognize(later->source(), format);
            }
        }
        Survey survey;
        if (!readSurveyFile(run, i == 0 ? *first.lines : *later, format, error, paths[i], survey)) {
            return false;
        }
        merger.add(std::move(survey));
    }
    run.sink.take(std::move(merger.total()));
    return true;
}

// Reads the first file of a format that keeps its readings in a second file
// (a summary export); false when it is none or failed, both shown.
bool readFirstOfTwo(Run& run, const std::string& path, FirstInput& first) {
    if (first.error != 0) {
        run.problems.reportLoadError(first.error, path);
    } else if (first.format != nullptr && !HoldsReadings(first.format) &&
               readFile(run, *first.lines, first.format->read, path, run.sink)) {
        return true;
    }
    run.problems.report(ConvertOutcome::NotAnExport, kNotAnExportMessage);
    return false;
}

void makeTracks(Run& run, std::span<const int32_t> groupOfWaypoint) {
    if (MakeTracks(groupOfWaypoint, run.sink.groupedReadings(), trackOptions(run.window.settings()),
                   run.state.colors, run.state.data,
                   run.counters) == TracksOutcome::TooManyPoints) {
        run.problems.report(ConvertOutcome::TooManyPoints, kTooManyPointsMessage);
        return;
    }
    run.counters.showHeldPoints();
}

// What the readings of a run are wanted for.
struct ReadingsUse {
    bool tracks = false;
    bool estimates = false; // the waypoints were made in this run, and go to their estimates
};

// Places the waypoints at their estimates and makes their tracks, as `use`
// asks, from the readings the sink holds.
void useReadings(Run& run, ReadingsUse use) {
    const std::vector<int32_t> groups = run.sink.takeGroupsOfWaypoints(run.state.data);
    if (use.estimates) {
        PlaceAtEstimates(groups, run.sink.groupedReadings(), run.state.data);
    }
    if (use.tracks) {
        makeTracks(run, groups);
    } else {
        run.counters.readingPassDone();
    }
}

// Reads the second file of a format that keeps its readings apart (the text
// export), for the waypoints the result holds, and uses them.
void readReadingsFile(Run& run, ReadingsUse use) {
    ConversionData& data = run.state.data;
    const std::string& path = run.window.settings().TextFilePath;
    FirstInput input;
    input.lines.emplace(run.sizes.block);
    OpenFirstInput(path, input);
    if (input.error != 0) {
        run.problems.reportLoadError(input.error, path);
    }
    const SurveyReader read =
        input.error == 0 && input.format != nullptr ? input.format->readReadings : nullptr;
    if (read == nullptr) {
        run.problems.report(ConvertOutcome::NotAnExport, kNotAnExportMessage);
        return;
    }
    data.TrkCount = 0;
    data.TrkPointCount = 0;
    run.window.setCounterLabel(Counter::Tracks, "Reading File !");
    run.window.setCounterLabel(Counter::TrackPoints, "");
    run.window.processEvents();
    run.sink.wantReadingsOfWaypoints(data);
    if (!readFile(run, *input.lines, read, path, run.sink)) {
        // Found only after "Reading File !": the counters go back to what
        // the lists hold, which is nothing.
        run.counters.readingPassDone();
        return;
    }
    data.LogDate = run.sink.takeLogDate();
    useReadings(run, use);
}

// How the first inputs were read.
enum class FirstRead {
    Survey,       // survey files that hold their readings: waypoints and readings
    FirstOfTwo,   // the first file of two: waypoints
    NoneOfTwo,    // not the first file of two: tracks are still made from the second
    SurveyFailed, // nothing
};

FirstRead readFirstInputs(Run& run, std::span<const std::string> paths, FirstInput& first,
                          bool surveysOnly) {
    // Where only surveys are given, a first file of two has no second beside
    // it: it may only stand alone, without tracks.
    const bool firstOfTwoAllowed =
        !surveysOnly || (paths.size() == 1 && run.window.settings().TConvertEnabled == 0);
    if ((first.error == 0 && HoldsReadings(first.format)) || !firstOfTwoAllowed) {
        return readSurveys(run, paths, first) ? FirstRead::Survey : FirstRead::SurveyFailed;
    }
    return readFirstOfTwo(run, paths[0], first) ? FirstRead::FirstOfTwo : FirstRead::NoneOfTwo;
}

void run(ConverterState& state, ConvertWindow& window, Problems& problems,
         std::span<const std::string> paths, FirstInput& first, bool surveysOnly,
         const ReadSizes& sizes) {
    Settings& settings = window.settings();
    settings.IconNoWEP = window.selectedCode(CodeList::IconNoWEP);
    settings.IconWEP = window.selectedCode(CodeList::IconWEP);
    settings.StyleNoWEP = window.selectedCode(CodeList::StyleNoWEP);
    settings.StyleWEP = window.selectedCode(CodeList::StyleWEP);
    state.skipped.clear();
    state.notices.clear();

    CounterDisplay counters(window);
    ConversionSink sink(waypointOptions(settings));
    Run run{state, window, problems, counters, sink, sizes};
    const FirstRead read = readFirstInputs(run, paths, first, surveysOnly);
    first.lines.reset();
    ConversionData& data = state.data;
    if (read == FirstRead::Survey || read == FirstRead::FirstOfTwo) {
        sink.finishWaypoints(data, counters);
        BuildWaypointStyles(settings, data);
    } else {
        ShowOnly(window, std::nullopt);
    }
    counters.showWaypoints(data.WptCount);
    counters.showTracks(data.TrkCount);
    counters.showPoints(data.TrkPointCount);
    window.processEvents();

    // Waypoints kept from an earlier run stay where that run put them.
    const ReadingsUse use{.tracks = settings.TConvertEnabled != 0,
                          .estimates =
                              settings.Waypoint == WaypointPosition::Estimated &&
                              (read == FirstRead::Survey || read == FirstRead::FirstOfTwo)};
    if (!use.tracks) {
        data.TrkCount = 0;
        data.TrkPointCount = 0;
        counters.showTracks(0);
        counters.showPoints(0);
    }
    if (use.tracks || use.estimates) {
        if (read == FirstRead::Survey) {
            useReadings(run, use);
        } else if (read != FirstRead::SurveyFailed) {
            readReadingsFile(run, use);
        }
    }
    state.skipped = sink.skipped();
    state.data.DataSaved = false;
    ShowOnly(window, StatusNotice::Converted);
}

ConvertOutcome convertInputs(ConverterState& state, ConvertWindow& window,
                             std::span<const std::string> paths, FirstInput& first,
                             bool surveysOnly, const ReadSizes& sizes) {
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
    input.format = nullptr;
    input.error = input.lines->open(path);
    if (input.error == 0) {
        input.error = recognize(input.lines->source(), input.format);
    }
}

ConvertOutcome Convert(ConverterState& state, ConvertWindow& window, const ReadSizes& sizes) {
    FirstInput summary;
    OpenFirstInput(window.settings().SummaryFilePath, summary);
    return Convert(state, window, summary, sizes);
}

ConvertOutcome Convert(ConverterState& state, ConvertWindow& window, FirstInput& summary,
                       const ReadSizes& sizes) {
    const std::string path = window.settings().SummaryFilePath;
    return convertInputs(state, window, std::span(&path, 1), summary, false, sizes);
}

ConvertOutcome ConvertSurveys(ConverterState& state, ConvertWindow& window,
                              std::span<const std::string> paths, FirstInput& first) {
    return convertInputs(state, window, paths, first, true, {});
}

} // namespace wavemark
