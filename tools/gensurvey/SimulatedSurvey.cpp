#include "SimulatedSurvey.h"

#include "CivilTime.h"
#include "RouteBuilder.h"
#include "SurveyBuilder.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace wavemark {
namespace {

// Beyond this no transmit power and no shadowing is heard: the loss there
// passes the best power above sensitivity by more than five sigmas.
double reachOf(const RadioModel& model) {
    const double budget =
        model.highestPower - model.sensitivity - model.lossAtOneMetre + 5.0 * model.shadowingSigma;
    return std::pow(10.0, budget / (10.0 * model.pathLossExponent));
}

// A standard normal draw (Box-Muller).
double normal(Prng& rng) {
    // Half a step above 0, so that the logarithm is finite.
    const double u = rng.unit() + 0x1p-54;
    const double v = rng.unit();
    return std::sqrt(-2.0 * std::log(u)) * std::cos(2.0 * std::numbers::pi * v);
}

double uniform(Prng& rng, double low, double high) {
    return low + (high - low) * rng.unit();
}

// Metres north and east of `from` to `to`, on the city's flat grid.
struct Offset {
    double north;
    double east;
};
Offset offset(const City& city, int64_t fromLat, int64_t fromLon, int64_t toLat, int64_t toLon) {
    return {static_cast<double>(toLat - fromLat) / kLatUnitsPerMeter,
            static_cast<double>(toLon - fromLon) / static_cast<double>(city.lonUnitsPerMeter)};
}

// Places the access point beside the step's road and lists its readings
// along its drive.
// `reach`: reachOf(model).
void hear(Survey& survey, size_t index, size_t spot, const RadioModel& model, double reach,
          Prng& rng, std::vector<HeardReading>& heard) {
    AccessPoint& ap = survey.aps[index];
    const Drive& drive = driveOf(survey, spot);
    const City& city = *drive.city;
    // Square to the road: where the car goes next, or came from at a
    // drive's end.
    const Step& here = survey.steps[spot];
    size_t other = spot;
    for (size_t s = spot + 1; s < drive.end && other == spot; ++s) {
        other = survey.steps[s].lat != here.lat || survey.steps[s].lon != here.lon ? s : spot;
    }
    for (size_t s = spot; s > drive.begin && other == spot; --s) {
        other = survey.steps[s - 1].lat != here.lat || survey.steps[s - 1].lon != here.lon ? s - 1
                                                                                           : spot;
    }
    const Offset along =
        offset(city, here.lat, here.lon, survey.steps[other].lat, survey.steps[other].lon);
    const double length = std::max(1e-9, std::hypot(along.north, along.east));
    const double side = rng.below(2) == 0 ? 1.0 : -1.0;
    const double distance = side * uniform(rng, model.nearest, model.farthest);
    ap.trueLat = here.lat + std::llround(-along.east / length * distance * kLatUnitsPerMeter);
    ap.trueLon = here.lon + std::llround(along.north / length * distance *
                                         static_cast<double>(city.lonUnitsPerMeter));
    const double power = uniform(rng, model.lowestPower, model.highestPower);
    const double height = uniform(rng, model.lowestHeight, model.highestHeight);

    for (size_t s = drive.begin; s < drive.end; ++s) {
        const Step& step = survey.steps[s];
        const Offset away = offset(city, step.lat, step.lon, ap.trueLat, ap.trueLon);
        const double ground = std::hypot(away.north, away.east);
        if (ground > reach) {
            continue;
        }
        const double metres = std::max(1.0, std::hypot(ground, height));
        const double received = power - model.lossAtOneMetre -
                                10.0 * model.pathLossExponent * std::log10(metres) +
                                model.shadowingSigma * normal(rng);
        if (received < model.sensitivity) {
            continue;
        }
        const int signal = static_cast<int>(std::lround(received)) + 149;
        heard.push_back({index, s, std::max(0, signal - ap.noise), signal, ap.noise, false});
    }
}

// Orders the access points by their first reading, as the summary lists
// them, and leaves out those never heard.
void orderByFirstHeard(Survey& survey, std::vector<HeardReading>& heard) {
    std::stable_sort(heard.begin(), heard.end(), [](const HeardReading& a, const HeardReading& b) {
        return a.step != b.step ? a.step < b.step : a.ap < b.ap;
    });
    std::vector<size_t> renumbered(survey.aps.size(), SIZE_MAX);
    std::vector<AccessPoint> aps;
    for (HeardReading& reading : heard) {
        if (renumbered[reading.ap] == SIZE_MAX) {
            renumbered[reading.ap] = aps.size();
            aps.push_back(survey.aps[reading.ap]);
            aps.back().firstStep = reading.step;
            aps.back().readings = 0;
        }
        reading.ap = renumbered[reading.ap];
        ++aps[reading.ap].readings;
    }
    survey.aps = std::move(aps);
    survey.heard = std::move(heard);
}

// The summary's position: the strongest reading with a fix, the first of
// equals; none for an access point heard only without one.
void placeAtStrongest(Survey& survey) {
    std::vector<int> strongest(survey.aps.size(), 0);
    for (AccessPoint& ap : survey.aps) {
        ap.summaryFix = Fix::Zero;
    }
    for (const HeardReading& reading : survey.heard) {
        const Step& step = survey.steps[reading.step];
        AccessPoint& ap = survey.aps[reading.ap];
        if (step.fix != Fix::Position ||
            (ap.summaryFix == Fix::Position && reading.signal <= strongest[reading.ap])) {
            continue;
        }
        ap.summaryFix = Fix::Position;
        ap.lat = step.lat;
        ap.lon = step.lon;
        strongest[reading.ap] = reading.signal;
    }
}

// A grid of `streets` streets each way, 80 to 160 m apart, each driven once
// end to end at city speed (7 to 13 m a second, one step a second), the
// east-west streets first, then the north-south ones, as a surveyor covers
// a district; now and then the car waits at a crossing. The GPS needs a few
// seconds for its first fix.
void driveGrid(Survey& survey, const City& city, int64_t start, size_t streets, Prng& rng) {
    std::vector<int64_t> lines{0};
    for (size_t i = 1; i < streets; ++i) {
        lines.push_back(lines.back() + rng.between(80, 160));
    }
    const int64_t extent = lines.back();
    const size_t begin = survey.steps.size();
    int64_t time = start;
    const auto step = [&](int64_t north, int64_t east) {
        const Fix fix = survey.steps.size() - begin < 5 ? Fix::OutOfRange : Fix::Position;
        survey.steps.push_back(Step{time++, city.lat + north * kLatUnitsPerMeter,
                                    city.lon + east * city.lonUnitsPerMeter, fix});
    };
    for (const bool eastWest : {true, false}) {
        for (size_t i = 0; i < lines.size(); ++i) {
            const bool forward = i % 2 == 0;
            int64_t along = 0;
            size_t crossing = 1;
            while (along <= extent) {
                const int64_t at = forward ? along : extent - along;
                eastWest ? step(lines[i], at) : step(at, lines[i]);
                if (crossing < lines.size() &&
                    along >=
                        (forward ? lines[crossing] : extent - lines[lines.size() - 1 - crossing])) {
                    ++crossing;
                    for (int64_t wait = rng.chance(2000) ? rng.between(5, 30) : 0; wait > 0;
                         --wait) {
                        eastWest ? step(lines[i], at) : step(at, lines[i]);
                    }
                }
                along += rng.between(7, 13);
            }
        }
    }
    survey.drives.push_back(Drive{&city, begin, survey.steps.size()});
}

} // namespace

Survey buildSimulatedSurvey(size_t aps, uint64_t seed, const RadioModel& model) {
    Prng rng(seed);
    Survey survey;
    survey.simulated = true;
    survey.aps = makeAccessPoints(aps, static_cast<int64_t>(aps), rng);
    // About 30 access points a kilometre of street: a grid of n streets
    // each way, 120 m apart on average, is 2 n (n - 1) 120 m long.
    const auto streets =
        static_cast<size_t>(std::ceil(std::sqrt(static_cast<double>(aps) / 7.2))) + 2;
    driveGrid(survey, kZurich, secondsFromCivil(2004, 4, 8) + 14 * 3600, streets, rng);
    std::vector<HeardReading> heard;
    const double reach = reachOf(model);
    for (size_t i = 0; i < survey.aps.size(); ++i) {
        hear(survey, i, static_cast<size_t>(rng.below(survey.steps.size())), model, reach, rng,
             heard);
    }
    orderByFirstHeard(survey, heard);
    // The readings were heard where the car was; the scanner writes where
    // its GPS said it was.
    for (Step& step : survey.steps) {
        step.lat += std::llround(model.gpsSigma * normal(rng) * kLatUnitsPerMeter);
        step.lon += std::llround(model.gpsSigma * normal(rng) *
                                 static_cast<double>(kZurich.lonUnitsPerMeter));
    }
    placeAtStrongest(survey);
    return survey;
}

} // namespace wavemark
