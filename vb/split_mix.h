// splitmix64: a tiny generator whose numbers depend on the seed alone, the
// same on every machine. It seeds the runtime's Rnd and draws the content
// generators' pictures.
#pragma once

#include <cstdint>

namespace vb {

// The next number of the sequence that `state` stands at; advances `state`.
inline uint64_t SplitMix64(uint64_t& state) {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

class SplitMix {
  public:
    explicit SplitMix(uint64_t seed) : mState(seed) {}
    uint64_t Next() { return SplitMix64(mState); }
    // Uniform in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
    // Uniform whole number in [low, high].
    int Between(int low, int high) {
        return low + static_cast<int>(Next() % static_cast<uint64_t>(high - low + 1));
    }

  private:
    uint64_t mState;
};

} // namespace vb
