#include "SurveyBuilder.h"

#include <algorithm>

namespace wavemark {

namespace {

bool heardWithoutFix(const Survey& survey, const AccessPoint& ap) {
    const auto end = ap.firstStep + static_cast<size_t>(ap.readings);
    return std::none_of(survey.steps.begin() + static_cast<std::ptrdiff_t>(ap.firstStep),
                        survey.steps.begin() + static_cast<std::ptrdiff_t>(end),
                        [](const Step& step) { return step.fix == Fix::Position; });
}

} // namespace

const Drive& driveOf(const Survey& survey, size_t step) {
    for (const Drive& drive : survey.drives) {
        if (step < drive.end) {
            return drive;
        }
    }
    return survey.drives.back();
}

void placeAccessPoints(Survey& survey, Prng& rng) {
    for (AccessPoint& ap : survey.aps) {
        // The access point is heard while the car passes it: a window of
        // consecutive steps inside one drive, centred where it stands.
        const size_t spot = rng.below(survey.steps.size());
        const Drive& drive = driveOf(survey, spot);
        const auto length = static_cast<size_t>(ap.readings);
        const size_t half = length / 2;
        const size_t latest = drive.end - length;
        ap.firstStep = std::clamp(spot > half ? spot - half : 0, drive.begin, latest);
        ap.centerStep = std::clamp(spot, ap.firstStep, ap.firstStep + length - 1);

        const Step& step = survey.steps[ap.centerStep];
        ap.lat = step.lat + rng.between(-60, 60) * kLatUnitsPerMeter;
        ap.lon = step.lon + rng.between(-60, 60) * drive.city->lonUnitsPerMeter;
        // Heard only while the GPS had no fix: the scanner knows no position.
        if (ap.summaryFix == Fix::Position && heardWithoutFix(survey, ap)) {
            ap.summaryFix = Fix::Zero;
        }
    }
    std::stable_sort(
        survey.aps.begin(), survey.aps.end(),
        [](const AccessPoint& a, const AccessPoint& b) { return a.firstStep < b.firstStep; });
}

} // namespace wavemark
