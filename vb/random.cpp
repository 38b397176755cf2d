#include "vb/random.h"

#include <chrono>

#include "vb/split_mix.h"

namespace vb {
namespace {

// splitmix64 seeding a xoshiro256**: small, fast and well distributed.
uint64_t gState[4] = {0x9E3779B97F4A7C15ull, 0xBF58476D1CE4E5B9ull, 0x94D049BB133111EBull, 1};

uint64_t Rotl(uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

} // namespace

void Randomize(uint64_t seed) {
    for (auto& word : gState) word = SplitMix64(seed);
}

uint64_t ClockSeed() {
    return static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
           static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

void Randomize() {
    Randomize(ClockSeed());
}

double Rnd() {
    const uint64_t result = Rotl(gState[1] * 5, 7) * 9;
    const uint64_t t = gState[1] << 17;
    gState[2] ^= gState[0];
    gState[3] ^= gState[1];
    gState[1] ^= gState[2];
    gState[0] ^= gState[3];
    gState[2] ^= t;
    gState[3] = Rotl(gState[3], 45);
    return static_cast<double>(result >> 11) * 0x1.0p-53;
}

} // namespace vb
