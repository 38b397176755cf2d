// The generator's own random source: fixed seeds, the same numbers everywhere.
#pragma once

#include <cstdint>

namespace art {

class Random {
  public:
    explicit Random(uint64_t seed) : mState(seed) {}
    uint64_t Next();
    // Uniform in [0, 1).
    double Unit();
    // Uniform whole number in [low, high].
    int Between(int low, int high);

  private:
    uint64_t mState;
};

} // namespace art
