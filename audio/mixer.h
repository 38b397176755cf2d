// The mixer: playing channels in, one block of stereo 16-bit frames out. A
// plain function of its arguments, so the engine's device callback and the
// tests call the same code.
#pragma once

#include <cstdint>
#include <span>

namespace audio {

// One playing channel as the mixer sees it.
struct MixVoice {
    const int16_t* frames = nullptr; // interleaved, `channels` values a frame
    int32_t channels = 1;            // 1 plays on both sides; else the first two are left, right
    int64_t count = 0;               // frames at `frames`
    bool loop = false;               // frame 0 follows the last one
    bool more = false;   // frames follow `count` later (a stream's buffer): wait, do not end
    double position = 0; // in frames; the mix advances it
    double rate = 44100; // frames per second to play at
    float left = 1, right = 1;
    bool finished = false; // ran past its last frame, not looping and with no more to come
};

// Linear gains for a volume of 0..100 and a pan of -100 (left) .. 100 (right):
// the far side falls to 0 at full pan, the near side keeps the volume's gain.
void GainsFor(int32_t volume, int32_t pan, float& left, float& right);

// Adds every voice into `frames` stereo frames at `outputRate`, each resampled
// from its own rate by linear interpolation; the sum is clipped to 16 bits.
void MixBlock(std::span<MixVoice> voices, int32_t outputRate, int16_t* out, int32_t frames);

} // namespace audio
