// The one seedable random source of a table. The program seeds it from the clock; tests and the
// simulator seed it explicitly so that a game can be replayed from its seed.
#pragma once

#include <cstdint>

namespace corvane {

class Random {
public:
    explicit Random(std::uint64_t seed = 1) { reseed(seed); }

    void reseed(std::uint64_t seed) {
        m_state = seed ^ 0x9E3779B97F4A7C15ULL;
        next64();
    }

    // A value in [0, 1), as the game's drawing rules expect.
    double next() { return static_cast<double>(next64() >> 11) * (1.0 / 9007199254740992.0); }

    // Int(next() * n): a whole number from 0 to n - 1 (0 when n <= 0).
    int below(int n) { return n <= 0 ? 0 : static_cast<int>(next() * n); }

private:
    // splitmix64: small, fast and identical on every platform, so seeds replay byte for byte.
    std::uint64_t next64() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    std::uint64_t m_state = 0;
};

} // namespace corvane
