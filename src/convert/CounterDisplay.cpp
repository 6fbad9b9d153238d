#include "convert/CounterDisplay.h"

#include <array>
#include <charconv>

namespace wavemark {

void CounterDisplay::countersReady(const ConversionData& data) {
    m_window.setCounterLabel(Counter::Wep, counterText("Number of APs with WEP : ", data.CountWEP));
    m_window.setCounterLabel(Counter::NoWep,
                             counterText("Number of APs without WEP : ", data.CountNoWEP));
    m_window.setCounterLabel(Counter::AdHoc,
                             counterText("Number of AdHoc peers : ", data.CountAdHoc));
    m_window.setCounterLabel(Counter::Filtered,
                             counterText("Number of filterd APs : ", data.CountFiltered));
}

void CounterDisplay::showWaypoints(int32_t count) {
    m_window.setCounterLabel(Counter::Waypoints, counterText("Number of Waypoints: ", count));
}

void CounterDisplay::showTracks(int32_t count) {
    m_window.setCounterLabel(Counter::Tracks, counterText("Number of Tracklogs: ", count));
}

void CounterDisplay::showPoints(int32_t count) {
    m_window.setCounterLabel(Counter::TrackPoints, counterText("Number of Trackpoints: ", count));
}

void CounterDisplay::readingPassDone() {
    showTracks(0);
    showPoints(0);
    m_window.processEvents();
}

void CounterDisplay::trackPointCountChanged(int32_t count) {
    if (!m_window.paintDue()) {
        m_heldPoints = count;
        return;
    }
    m_heldPoints.reset();
    showPoints(count);
    m_window.processEvents();
}

void CounterDisplay::trackCountChanged(int32_t count) {
    showHeldPoints();
    showTracks(count);
    m_window.processEvents();
}

void CounterDisplay::showHeldPoints() {
    if (m_heldPoints) {
        showPoints(*m_heldPoints);
        m_heldPoints.reset();
    }
}

// One text reused for every label, so that a million trackpoints build no
// string each.
const std::string& CounterDisplay::counterText(const char* caption, int32_t value) {
    std::array<char, 12> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    m_text.assign(caption).append(digits.data(), static_cast<size_t>(end - digits.data()));
    return m_text;
}

} // namespace wavemark
