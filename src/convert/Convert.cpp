#include "convert/Convert.h"

#include "convert/WaypointStyles.h"
#include "platform/LineStream.h"
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

enum Counter { WepLine, NoWepLine, AdHocLine, FilteredLine, WaypointLine, TrackLine, PointLine };

class CounterDisplay : public SummaryCountListener, public TrackProgress {
public:
    explicit CounterDisplay(ConvertWindow& window) : m_window(window) {}

    void countersReady(const ConversionData& data) override {
        m_window.setCounterLabel(WepLine, counterText("Number of APs with WEP : ", data.CountWEP));
        m_window.setCounterLabel(NoWepLine,
                                 counterText("Number of APs without WEP : ", data.CountNoWEP));
        m_window.setCounterLabel(AdHocLine,
                                 counterText("Number of AdHoc peers : ", data.CountAdHoc));
        m_window.setCounterLabel(FilteredLine,
                                 counterText("Number of filterd APs : ", data.CountFiltered));
    }
    void showWaypoints(int32_t count) {
        m_window.setCounterLabel(WaypointLine, counterText("Number of Waypoints: ", count));
    }
    void showTracks(int32_t count) {
        m_window.setCounterLabel(TrackLine, counterText("Number of Tracklogs: ", count));
    }
    void showPoints(int32_t count) {
        m_window.setCounterLabel(PointLine, counterText("Number of Trackpoints: ", count));
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

void report(ConvertWindow& window, const char* message) {
    window.showMessage(message, MessageButtons::Ok, MessageIcon::None, kProgramTitle);
}

void hideStatusNotices(ConvertWindow& window) {
    window.setStatusVisible(StatusNotice::Converting, false);
    window.setStatusVisible(StatusNotice::Converted, false);
    window.setStatusVisible(StatusNotice::FileSaved, false);
}

void readSummary(ConverterState& state, ConvertWindow& window, CounterDisplay& counters) {
    Settings& settings = window.settings();
    modLoadFile::LoadFile(state.lines, settings.SummaryFilePath, window);
    if (!IsNetStumblerExport(state.lines)) {
        report(window, kNotAnExportMessage);
        hideStatusNotices(window);
        return;
    }
    SummaryOptions options;
    options.APFilter = ToWindows1252(settings.APFilter);
    options.NoWEPCheck = settings.NoWEPCheck == 1;
    options.IconNoWEP = settings.IconNoWEP;
    options.IconWEP = settings.IconWEP;
    options.StyleNoWEP = static_cast<uint8_t>(settings.StyleNoWEP);
    options.StyleWEP = static_cast<uint8_t>(settings.StyleWEP);
    ReadSummary(state.lines, options, state.data, counters);
    BuildWaypointStyles(settings, state.data);
}

void readTracks(ConverterState& state, ConvertWindow& window, CounterDisplay& counters,
                const TextReadSizes& sizes) {
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
        modLoadFile::ShowLoadError(error, settings.TextFilePath, window);
    } else if (!lines.next(firstLine) && lines.error() != 0) {
        modLoadFile::ShowLoadError(lines.error(), settings.TextFilePath, window);
    }
    if (!IsNetStumblerExport(firstLine)) {
        report(window, kNotAnExportMessage);
        return;
    }
    data.TrkCount = 0;
    data.TrkPointCount = 0;
    window.setCounterLabel(TrackLine, "Reading File !");
    window.setCounterLabel(PointLine, "");
    window.processEvents();
    TrackOptions options;
    options.TChangeColors = settings.TChangeColors == 1;
    options.TColorNoWep = settings.TColorNoWep;
    options.TColorWep = settings.TColorWep;
    options.TLineNoWep = settings.TLineNoWep;
    options.TLineWep = settings.TLineWep;
    switch (ReadTextExport(lines, options, state.colors, data, counters, sizes.splitMinimum)) {
    case TextExportResult::Read:
        counters.showHeldPoints();
        break;
    case TextExportResult::ReadFailed:
        // Found only after "Reading File !": the counters go back to what
        // the lists hold, which is nothing.
        modLoadFile::ShowLoadError(lines.error(), settings.TextFilePath, window);
        counters.readingPassDone();
        break;
    case TextExportResult::TooManyPoints:
        report(window, kTooManyPointsMessage);
        break;
    }
}

void run(ConverterState& state, ConvertWindow& window, const TextReadSizes& sizes) {
    Settings& settings = window.settings();
    settings.IconNoWEP = window.selectedCode(CodeList::IconNoWEP);
    settings.IconWEP = window.selectedCode(CodeList::IconWEP);
    settings.StyleNoWEP = window.selectedCode(CodeList::StyleNoWEP);
    settings.StyleWEP = window.selectedCode(CodeList::StyleWEP);

    CounterDisplay counters(window);
    readSummary(state, window, counters);

    counters.showWaypoints(state.data.WptCount);
    counters.showTracks(state.data.TrkCount);
    counters.showPoints(state.data.TrkPointCount);
    window.processEvents();

    readTracks(state, window, counters, sizes);

    state.data.DataSaved = false;
    window.setStatusVisible(StatusNotice::Converting, false);
    window.setStatusVisible(StatusNotice::Converted, true);
    window.setStatusVisible(StatusNotice::FileSaved, false);
}

} // namespace

void Convert(ConverterState& state, ConvertWindow& window, const TextReadSizes& sizes) {
    window.setWaitCursor(true);
    window.setStatusVisible(StatusNotice::Converting, true);
    window.setStatusVisible(StatusNotice::Converted, false);
    window.setStatusVisible(StatusNotice::FileSaved, false);
    try {
        run(state, window, sizes);
    } catch (const std::bad_alloc&) {
        // A list may be half made: the counts drop to nothing so that no one
        // reads past what was made.
        ConversionData& data = state.data;
        data.WptCount = data.TrkCount = data.TrkPointCount = 0;
        data.WptStyleCount = 0;
        report(window, kOutOfMemoryMessage);
        hideStatusNotices(window);
    }
    window.setWaitCursor(false);
}

} // namespace wavemark
