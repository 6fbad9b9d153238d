#include "convert/Convert.h"

#include "convert/CounterDisplay.h"
#include "convert/Tracks.h"
#include "convert/WaypointStyles.h"
#include "convert/Waypoints.h"
#include "platform/LineStream.h"
#include "platform/ReadWholeFile.h"
#include "platform/Windows1252.h"
#include "survey/netstumbler/ExportLine.h"
#include "survey/netstumbler/SummaryReader.h"
#include "survey/netstumbler/TextExportReader.h"

#include <new>
#include <optional>
#include <string>

namespace wavemark {
namespace {

// What went wrong first, for the caller; each problem is shown as it is met.
class Problems {
public:
    explicit Problems(ConvertWindow& window) : m_window(window) {}

    void report(ConvertOutcome outcome, const char* message) {
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

void readSummary(ConverterState& state, ConvertWindow& window, CounterDisplay& counters,
                 Problems& problems) {
    Settings& settings = window.settings();
    if (const int error = modLoadFile::LoadFile(state.lines, settings.SummaryFilePath);
        error != 0) {
        problems.reportLoadError(error, settings.SummaryFilePath);
    }
    if (!IsNetStumblerExport(state.lines)) {
        problems.report(ConvertOutcome::NotAnExport, kNotAnExportMessage);
        ShowOnly(window, std::nullopt);
        return;
    }
    WaypointOptions options;
    options.APFilter = ToWindows1252(settings.APFilter);
    options.NoWEPCheck = settings.NoWEPCheck == 1;
    options.IconNoWEP = settings.IconNoWEP;
    options.IconWEP = settings.IconWEP;
    options.StyleNoWEP = static_cast<uint8_t>(settings.StyleNoWEP);
    options.StyleWEP = static_cast<uint8_t>(settings.StyleWEP);
    MakeWaypoints(ReadSummaryExport(state.lines), options, state.data, counters);
    BuildWaypointStyles(settings, state.data);
}

void readTracks(ConverterState& state, ConvertWindow& window, CounterDisplay& counters,
                Problems& problems, const TextReadSizes& sizes) {
    ConversionData& data = state.data;
    const Settings& settings = window.settings();
    if (settings.TConvertEnabled == 0) {
        data.TrkCount = 0;
        data.TrkPointCount = 0;
        counters.showTracks(0);
        counters.showPoints(0);
        return;
    }
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
    TrackOptions options;
    options.TChangeColors = settings.TChangeColors == 1;
    options.TColorNoWep = settings.TColorNoWep;
    options.TColorWep = settings.TColorWep;
    options.TLineNoWep = settings.TLineNoWep;
    options.TLineWep = settings.TLineWep;
    const BssidGroups groups = WaypointGroups(data);
    Readings readings(groups.count());
    std::optional<std::string> lastDate =
        ReadTextExport(lines, groups, readings, sizes.splitMinimum);
    if (!lastDate) {
        // Found only after "Reading File !": the counters go back to what
        // the lists hold, which is nothing.
        problems.reportLoadError(lines.error(), settings.TextFilePath);
        counters.readingPassDone();
        return;
    }
    data.LogDate = std::move(*lastDate);
    if (MakeTracks(GroupOfEachWaypoint(groups, data), readings, options, state.colors, data,
                   counters) == TracksOutcome::TooManyPoints) {
        problems.report(ConvertOutcome::TooManyPoints, kTooManyPointsMessage);
        return;
    }
    counters.showHeldPoints();
}

void run(ConverterState& state, ConvertWindow& window, Problems& problems,
         const TextReadSizes& sizes) {
    Settings& settings = window.settings();
    settings.IconNoWEP = window.selectedCode(CodeList::IconNoWEP);
    settings.IconWEP = window.selectedCode(CodeList::IconWEP);
    settings.StyleNoWEP = window.selectedCode(CodeList::StyleNoWEP);
    settings.StyleWEP = window.selectedCode(CodeList::StyleWEP);

    CounterDisplay counters(window);
    readSummary(state, window, counters, problems);

    counters.showWaypoints(state.data.WptCount);
    counters.showTracks(state.data.TrkCount);
    counters.showPoints(state.data.TrkPointCount);
    window.processEvents();

    readTracks(state, window, counters, problems, sizes);

    state.data.DataSaved = false;
    ShowOnly(window, StatusNotice::Converted);
}

} // namespace

std::string LoadErrorText(int code, const std::string& path) {
    return "An error occured: " + ReadErrorText(code) + " (Error " + std::to_string(code) +
           ")\r\nFile: " + path;
}

ConvertOutcome Convert(ConverterState& state, ConvertWindow& window, const TextReadSizes& sizes) {
    window.setWaitCursor(true);
    ShowOnly(window, StatusNotice::Converting);
    Problems problems(window);
    try {
        run(state, window, problems, sizes);
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

} // namespace wavemark
