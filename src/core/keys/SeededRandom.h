#pragma once
// A random source that gives the same numbers from the same seed on every machine and
// with every standard library (the library's distributions are not specified bit for bit).

#include <cstdint>

namespace keys {

class SeededRandom {
  public:
    explicit SeededRandom(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        // splitmix64
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in [lo, hi] (lo <= hi).
    std::uint64_t between(std::uint64_t lo, std::uint64_t hi) {
        const std::uint64_t span = hi - lo + 1;
        if (span == 0) return next(); // the whole range
        const std::uint64_t limit = UINT64_MAX - UINT64_MAX % span;
        std::uint64_t r;
        do
            r = next();
        while (r >= limit);
        return lo + r % span;
    }

  private:
    std::uint64_t state_;
};

} // namespace keys
