// Test tones written with libsndfile, and measurements of captured sound.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Container and encoding: "wav" (16-bit PCM), "flac", "ogg" (Vorbis), "aiff",
// "opus" (Ogg Opus), "mp3".
// A sine of `frequency` Hz at `amplitude` (of 32767) on every channel.
// False when libsndfile cannot write it.
bool WriteTone(const std::string& path, const std::string& kind, int channels, int rate,
               double seconds, double frequency, double amplitude);
// The given 16-bit frames, as they are.
bool WriteFrames(const std::string& path, int channels, int rate,
                 const std::vector<int16_t>& interleaved);
// Floating-point WAV, values as they are (beyond -1 .. 1 too).
bool WriteFloatFrames(const std::string& path, int channels, int rate,
                      const std::vector<float>& interleaved);

// One channel of interleaved stereo.
std::vector<int16_t> Side(const std::vector<int16_t>& stereo, int which);
int Peak(const std::vector<int16_t>& samples);
// Root mean square over the samples.
double Level(const std::vector<int16_t>& samples);
// Upward zero crossings per second at `rate`.
double ToneFrequency(const std::vector<int16_t>& samples, int rate);
// The samples from the first to the last whose size exceeds `threshold`.
std::vector<int16_t> Audible(const std::vector<int16_t>& samples, int threshold = 200);
