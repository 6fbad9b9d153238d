#pragma once

#include "convert/ConvertWindow.h"
#include "convert/Tracks.h"
#include "convert/Waypoints.h"

#include <cstdint>
#include <optional>
#include <string>

namespace wavemark {

// The seven counter lines as a conversion fills them, told by the rules as
// they count.
class CounterDisplay : public SummaryCountListener, public TrackProgress {
public:
    explicit CounterDisplay(ConvertWindow& window) : m_window(window) {}

    void countersReady(const ConversionData& data) override;
    void showWaypoints(int32_t count);
    void showTracks(int32_t count);
    void showPoints(int32_t count);

    void readingPassDone() override;
    // A million trackpoints would make a million texts that are never
    // painted: counts are held back while the window is not due to paint.
    void trackPointCountChanged(int32_t count) override;
    void trackCountChanged(int32_t count) override;
    // Shows the last count held back, if any.
    void showHeldPoints();

private:
    const std::string& counterText(const char* caption, int32_t value);

    ConvertWindow& m_window;
    std::string m_text;
    std::optional<int32_t> m_heldPoints;
};

} // namespace wavemark
