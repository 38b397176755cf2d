// The program's one uniform random source (the runtime's Randomize and Rnd).
// Tests seed it to replay a game exactly.
#pragma once

#include <cstdint>

namespace vb {

// Seeds the sequence; Randomize() without a seed uses the clock.
void Randomize();
void Randomize(uint64_t seed);
// The seed Randomize() takes from the clock.
uint64_t ClockSeed();

// Next number, uniform in [0, 1).
double Rnd();

} // namespace vb
