#pragma once

#include <cstdint>

namespace wavemark {

// SplitMix64: small, fast and pure integer arithmetic, so a seed gives the
// same survey byte for byte on every platform and compiler.
class Prng {
public:
    explicit Prng(uint64_t seed) : m_state(seed) {}

    uint64_t next() {
        m_state += 0x9E3779B97F4A7C15ull;
        uint64_t z = m_state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // A whole number in 0..n-1 (n > 0); the modulo bias is far below anything
    // a survey can show.
    uint64_t below(uint64_t n) { return next() % n; }

    int64_t between(int64_t low, int64_t high) {
        return low + static_cast<int64_t>(below(static_cast<uint64_t>(high - low + 1)));
    }

    // A real number in [0, 1), of 53 random bits.
    double unit() { return static_cast<double>(next() >> 11) * 0x1p-53; }

    // True in about `parts` of 10000 draws.
    bool chance(uint64_t parts) { return below(10000) < parts; }

private:
    uint64_t m_state;
};

} // namespace wavemark
