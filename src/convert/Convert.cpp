#include "convert/Convert.h"

#include "convert/Tracks.h"
#include "convert/WaypointStyles.h"
#include "convert/Waypoints.h"
#include "platform/LineStream.h"
#include "platform/ReadWholeFile.h"
#include "platform/Windows1252.h"
#include "survey/netstumbler/ExportLine.h"
#include "survey/netstumbler/SummaryReader.h"
#include "survey/netstumbler/TextExportReader.h"

#include <array>
#include <charconv>
#include <new>
#include <optional>
#include <string>

namespace wavemark {
namespace {

class CounterDisplay : public SummaryCountListener, public TrackProgress {
public:
    explicit CounterDisplay(ConvertWindow& window) : m_window(window) {}

    void countersReady(const ConversionData& data) override {
        m_window.setCounterLabel(Counter::Wep,
                                 counterText("Number of APs with WEP : ", data.CountWEP));
        m_window.setCounterLabel(Counter::NoWep,
                                 counterText("Number of APs without WEP : ", data.CountNoWEP));
        m_window.setCounterLabel(Counter::AdHoc,
                                 counterText("Number of AdHoc peers : ", data.CountAdHoc));
        m_window.setCounterLabel(Counter::Filtered,
                                 counterText("Number of filterd APs : ", data.CountFiltered));
    }
    void showWaypoints(int32_t count) {
        m_window.setCounterLabel(Counter::Waypoints, counterText("Number of Waypoints: ", count));
    }
    void showTracks(int32_t count) {
        m_window.setCounterLabel(Counter::Tracks, counterText("Number of Tracklogs: ", count));
    }
    void showPoints(int32_t count) {
        m_window.setCounterLabel(Counter::TrackPoints,
                                 counterText("Number of Trackpoints: ", count));
    }

    void readingPassDone() override {
        showTracks(0);
        showPoints(0);
        m_window.processEvents();
    }
    // A million trackpoints would make a million texts that are never
    // painted: counts are held back while the window is not due to paint.
    void trackPointCountChanged(int32_t count) override {
        if (!m_window.paintDue()) {
            m_heldPoints = count;
            return;
        }
        m_heldPoints.reset();
        showPoints(count);
        m_window.processEvents();
    }
    void trackCountChanged(int32_t count) override {
        showHeldPoints();
        showTracks(count);
        m_window.processEvents();
    }
    void showHeldPoints() {
        if (m_heldPoints) {
            showPoints(*m_heldPoints);
            m_heldPoints.reset();
        }
    }

private:
    // One text reused for every label, so that a million trackpoints build no
    // string each.
    const std::string& counterText(const char* caption, int32_t value) {
        std::array<char, 12> digits{};
        const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
        m_text.assign(caption).append(digits.data(), static_cast<size_t>(end - digits.data()));
        return m_text;
    }

    ConvertWindow& m_window;
    std::string m_text;
    std::optional<int32_t> m_heldPoints;
};

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
    if (MakeTracks(groups, readings, options, state.colors, data, counters) ==
        TracksOutcome::TooManyPoints) {
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
