#include "CivilTime.h"
#include "RouteBuilder.h"
#include "SurveyBuilder.h"

#include <algorithm>

namespace wavemark {

namespace {

// About four access points are in range at any moment, so the route has a
// quarter as many steps as there are readings; a drive is at most ~11 hours
// and must hold the longest-heard access point.
std::vector<size_t> driveLengths(int64_t readings, int64_t longestHeard) {
    const auto total =
        static_cast<size_t>(std::max({readings / 4, 2 * longestHeard, int64_t{100}}));
    size_t count = std::clamp<size_t>(total / 40000, 2, 8);
    count = std::max<size_t>(1, std::min(count, total / static_cast<size_t>(longestHeard)));
    std::vector<size_t> lengths(count, total / count);
    lengths.back() += total % count;
    return lengths;
}

} // namespace

Survey buildRandomSurvey(size_t aps, int64_t readings, uint64_t seed) {
    Prng rng(seed);
    Survey survey;
    survey.aps = makeAccessPoints(aps, readings, rng);
    int64_t longestHeard = 1;
    for (const AccessPoint& ap : survey.aps) {
        longestHeard = std::max(longestHeard, ap.readings);
    }

    // The first drive runs through midnight of the first day; each later
    // drive starts on one of the next two days, in the daytime, and may
    // itself run past midnight.
    const std::vector<size_t> lengths = driveLengths(readings, longestHeard);
    const int64_t firstDay = secondsFromCivil(2004, 4, 8);
    for (size_t d = 0; d < lengths.size(); ++d) {
        int64_t start = 0;
        if (d == 0) {
            start = firstDay + 86400 -
                    std::min<int64_t>(static_cast<int64_t>(lengths[0]) * 9 / 16, 3 * 3600);
        } else {
            const int64_t day =
                dayOf(survey.steps.back().time) + 1 + static_cast<int64_t>(rng.below(2));
            start = day * 86400 + rng.between(7 * 3600, 19 * 3600);
        }
        buildRoute(survey, {DrivePlan{d % 2 == 0 ? &kZurich : &kSantiago, start, lengths[d]}}, rng);
    }
    placeAccessPoints(survey, rng);
    return survey;
}

} // namespace wavemark
