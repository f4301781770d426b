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
        m_spare = 0;
        m_hasSpare = false;
        next64();
    }

    // A value in [0, 1) with 32 bits of fraction, as the game's drawing rules expect.
    double next() { return static_cast<double>(next32()) * (1.0 / 4294967296.0); }

    // Int(Rnd * n) for such a value, in integers: a whole number from 0 to n - 1 (0 when n <= 0).
    int below(int n) {
        if (n <= 0)
            return 0;
        return static_cast<int>((std::uint64_t{next32()} * static_cast<std::uint64_t>(n)) >> 32);
    }

private:
    // Each 64-bit step gives two 32-bit draws.
    std::uint32_t next32() {
        if (m_hasSpare) {
            m_hasSpare = false;
            return m_spare;
        }
        const std::uint64_t bits = next64();
        m_spare = static_cast<std::uint32_t>(bits);
        m_hasSpare = true;
        return static_cast<std::uint32_t>(bits >> 32);
    }

    // splitmix64: small, fast and identical on every platform, so seeds replay byte for byte.
    std::uint64_t next64() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    std::uint64_t m_state = 0;
    std::uint32_t m_spare = 0;
    bool m_hasSpare = false;
};

} // namespace corvane
