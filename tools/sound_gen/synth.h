// A small deterministic synthesizer for the game's sound effects: noise and
// tones with sweeps, envelopes and simple filters, mono, as floats in -1..1.
#pragma once

#include <cstdint>
#include <vector>

namespace soundgen {

constexpr int kRate = 22050;

using Samples = std::vector<float>;

// A repeatable noise source (the same numbers for the same seed everywhere).
class Noise {
  public:
    explicit Noise(uint64_t seed) : mState(seed * 2654435761u + 1) {}
    float Next(); // uniform in -1..1

  private:
    uint64_t mState;
};

Samples Silence(double seconds);
// A tone sweeping from `from` to `to` Hz (exponentially), `harmonics` odd
// overtones falling off as 1/n, with a touch of `vibrato` (Hz of wobble).
Samples Tone(double seconds, double from, double to, int harmonics = 1, double vibrato = 0);
Samples WhiteNoise(double seconds, uint64_t seed);

// Filters a sound in place.
void LowPass(Samples& s, double cutoffFrom, double cutoffTo);
void HighPass(Samples& s, double cutoff);
// Attack (rising), hold, then an exponential fall reaching 1/1000 at the end.
void Envelope(Samples& s, double attack, double hold);
// Short fades at both ends, so no sound starts or stops with a click.
void Fades(Samples& s, double in = 0.004, double out = 0.02);
// Adds `other` (scaled) from `at` seconds on, lengthening the sound if needed.
void Mix(Samples& s, const Samples& other, double gain, double at = 0);
// Scales the loudest sample to `peak` (below full scale).
void Normalize(Samples& s, double peak);

} // namespace soundgen
