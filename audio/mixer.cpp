#include "audio/mixer.h"

#include <algorithm>
#include <cmath>

namespace audio {
namespace {

constexpr int32_t kChunkFrames = 256;

// The voice's next `frames` frames added into `sum` (stereo floats).
void AddVoice(MixVoice& v, double step, float* sum, int32_t frames) {
    const int64_t count = v.count;
    if (count <= 0) {
        if (!v.more) v.finished = true;
        return;
    }
    const int16_t* data = v.frames;
    const int32_t stride = v.channels;
    const int32_t second = v.channels > 1 ? 1 : 0; // right comes from the left of a mono sound
    double pos = v.position;
    for (int32_t i = 0; i < frames; ++i) {
        if (pos >= static_cast<double>(count)) {
            if (v.loop) {
                pos = std::fmod(pos, static_cast<double>(count));
            } else {
                if (!v.more) v.finished = true;
                break;
            }
        }
        const auto a = static_cast<int64_t>(pos);
        int64_t b = a + 1;
        if (b >= count) {
            if (v.loop) {
                b = 0;
            } else if (v.more) {
                break; // the next frame has not arrived yet
            } else {
                b = a;
            }
        }
        const auto f = static_cast<float>(pos - static_cast<double>(a));
        const int16_t* x = data + a * stride;
        const int16_t* y = data + b * stride;
        const float l = x[0] + f * static_cast<float>(y[0] - x[0]);
        const float r = x[second] + f * static_cast<float>(y[second] - x[second]);
        sum[2 * i] += l * v.left;
        sum[2 * i + 1] += r * v.right;
        pos += step;
    }
    if (pos >= static_cast<double>(count)) {
        if (v.loop) {
            pos = std::fmod(pos, static_cast<double>(count)); // a position within the sound
        } else if (!v.more) {
            v.finished = true;
        }
    }
    v.position = pos;
}

int16_t Clip(float value) {
    return static_cast<int16_t>(std::lrint(std::clamp(value, -32768.0f, 32767.0f)));
}

} // namespace

void GainsFor(int32_t volume, int32_t pan, float& left, float& right) {
    const float gain = static_cast<float>(std::clamp(volume, 0, 100)) / 100.0f;
    const float p = static_cast<float>(std::clamp(pan, -100, 100)) / 100.0f;
    left = gain * (p > 0 ? 1.0f - p : 1.0f);
    right = gain * (p < 0 ? 1.0f + p : 1.0f);
}

void MixBlock(std::span<MixVoice> voices, int32_t outputRate, int16_t* out, int32_t frames) {
    float sum[2 * kChunkFrames];
    for (int32_t done = 0; done < frames;) {
        const int32_t n = std::min(kChunkFrames, frames - done);
        std::fill(sum, sum + 2 * n, 0.0f);
        for (MixVoice& voice : voices) {
            if (voice.finished) continue;
            AddVoice(voice, voice.rate / outputRate, sum, n);
        }
        for (int32_t i = 0; i < 2 * n; ++i) out[2 * done + i] = Clip(sum[i]);
        done += n;
    }
}

} // namespace audio
