#include "RouteBuilder.h"

#include <algorithm>
#include <cstdlib>

namespace wavemark {

const City kZurich{"Zurich", 473769000, 85417000, 132};
const City kSantiago{"Santiago", -334489000, -706693000, 108};

namespace {

constexpr int64_t kCityRadiusMeters = 3000;

enum Heading { North, East, South, West };

class Car {
public:
    Car(const City& city, Prng& rng) : m_city(city), m_rng(rng), m_lat(city.lat), m_lon(city.lon) {
        m_heading = static_cast<int>(rng.below(4));
    }

    void drive(int64_t seconds) {
        if (m_stopLeft > 0) {
            m_stopLeft -= seconds;
            return;
        }
        m_speed = std::clamp<int64_t>(m_speed + m_rng.between(-1, 1), 6, 14);
        const int64_t meters = m_speed * seconds;
        move(meters);
        m_blockLeft -= meters;
        if (m_blockLeft <= 0) {
            turn();
            m_blockLeft = m_rng.between(80, 220);
            if (m_rng.chance(1500)) {
                m_stopLeft = m_rng.between(5, 40); // a red light
            }
        }
    }

    int64_t lat() const { return m_lat; }
    int64_t lon() const { return m_lon; }

private:
    void move(int64_t meters) {
        switch (m_heading) {
        case North:
            m_lat += meters * kLatUnitsPerMeter;
            break;
        case South:
            m_lat -= meters * kLatUnitsPerMeter;
            break;
        case East:
            m_lon += meters * m_city.lonUnitsPerMeter;
            break;
        default:
            m_lon -= meters * m_city.lonUnitsPerMeter;
            break;
        }
    }

    // Random turns, but back towards the centre once the car leaves town.
    void turn() {
        const int64_t north = (m_lat - m_city.lat) / kLatUnitsPerMeter;
        const int64_t east = (m_lon - m_city.lon) / m_city.lonUnitsPerMeter;
        if (std::max(std::abs(north), std::abs(east)) > kCityRadiusMeters) {
            if (std::abs(north) > std::abs(east)) {
                m_heading = north > 0 ? South : North;
            } else {
                m_heading = east > 0 ? West : East;
            }
            return;
        }
        const uint64_t pick = m_rng.below(4);
        if (pick == 1) {
            m_heading = (m_heading + 1) % 4;
        } else if (pick == 2) {
            m_heading = (m_heading + 3) % 4;
        }
    }

    const City& m_city;
    Prng& m_rng;
    int64_t m_lat;
    int64_t m_lon;
    int m_heading = North;
    int64_t m_speed = 10;
    int64_t m_blockLeft = 150;
    int64_t m_stopLeft = 0;
};

// Which steps of a drive have no fix: the first seconds (no fix yet, written
// as 360/720) and a few tunnels (written as 0/0), at least one per drive.
std::vector<Fix> planFixes(size_t steps, Prng& rng) {
    std::vector<Fix> fixes(steps, Fix::Position);
    const auto mark = [&](size_t from, size_t length, Fix fix) {
        for (size_t i = from; i < std::min(steps, from + length); ++i) {
            fixes[i] = fix;
        }
    };
    const auto longestGap = static_cast<int64_t>(std::clamp<size_t>(steps / 12, 5, 60));
    mark(0,
         static_cast<size_t>(
             rng.between(3, std::max<int64_t>(3, std::min<int64_t>(12, steps / 10)))),
         Fix::OutOfRange);
    // One draw per statement, the length first as the sample was made:
    // compilers evaluate function arguments in different orders.
    const auto gapLength = static_cast<size_t>(rng.between(5, longestGap));
    mark(steps / 3 + rng.below(steps / 3 + 1), gapLength, Fix::Zero);
    for (size_t i = steps / 10; i < steps; ++i) {
        if (rng.chance(5)) {
            const auto length = static_cast<size_t>(rng.between(5, longestGap));
            mark(i, length, Fix::Zero);
            i += length;
        }
    }
    return fixes;
}

} // namespace

void buildRoute(Survey& survey, const std::vector<DrivePlan>& plans, Prng& rng) {
    for (const DrivePlan& plan : plans) {
        const std::vector<Fix> fixes = planFixes(plan.steps, rng);
        Car car(*plan.city, rng);
        const size_t begin = survey.steps.size();
        int64_t time = plan.startTime;
        for (size_t i = 0; i < plan.steps; ++i) {
            survey.steps.push_back(Step{time, car.lat(), car.lon(), fixes[i]});
            const int64_t seconds = rng.chance(1250) ? 2 : 1; // a slow scan now and then
            car.drive(seconds);
            time += seconds;
        }
        survey.drives.push_back(Drive{plan.city, begin, survey.steps.size()});
    }
}

} // namespace wavemark
