#include "tools/sound_gen/synth.h"

#include <algorithm>
#include <cmath>

namespace soundgen {

namespace {
constexpr double kTwoPi = 6.283185307179586;
size_t Count(double seconds) {
    return static_cast<size_t>(std::max(0.0, seconds) * kRate);
}
} // namespace

float Noise::Next() {
    // xorshift64*: fast and the same on every machine.
    mState ^= mState >> 12;
    mState ^= mState << 25;
    mState ^= mState >> 27;
    const uint64_t r = mState * 0x2545F4914F6CDD1Dull;
    return static_cast<float>(static_cast<double>(r >> 11) / 4503599627370496.0 - 1.0);
}

Samples Silence(double seconds) {
    return Samples(Count(seconds), 0.0f);
}

Samples Tone(double seconds, double from, double to, int harmonics, double vibrato) {
    Samples s(Count(seconds));
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / s.size();
        double f = from * std::pow(to / from, t);
        if (vibrato > 0) f *= 1 + 0.02 * std::sin(kTwoPi * vibrato * i / kRate);
        phase += kTwoPi * f / kRate;
        double v = 0;
        for (int n = 1; n <= harmonics; n += 2) v += std::sin(phase * n) / n;
        s[i] = static_cast<float>(v);
    }
    return s;
}

Samples WhiteNoise(double seconds, uint64_t seed) {
    Noise noise(seed);
    Samples s(Count(seconds));
    for (float& v : s) v = noise.Next();
    return s;
}

void LowPass(Samples& s, double cutoffFrom, double cutoffTo) {
    double y = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = s.empty() ? 0 : static_cast<double>(i) / s.size();
        const double cutoff = cutoffFrom * std::pow(cutoffTo / cutoffFrom, t);
        const double a = 1 - std::exp(-kTwoPi * cutoff / kRate);
        y += a * (s[i] - y);
        s[i] = static_cast<float>(y);
    }
}

void HighPass(Samples& s, double cutoff) {
    const double a = std::exp(-kTwoPi * cutoff / kRate);
    double low = 0;
    for (float& v : s) {
        low = a * low + (1 - a) * v;
        v = static_cast<float>(v - low);
    }
}

void Envelope(Samples& s, double attack, double hold) {
    const size_t a = Count(attack), h = Count(hold);
    const size_t rest = s.size() > a + h ? s.size() - a - h : 1;
    for (size_t i = 0; i < s.size(); ++i) {
        double g = 1;
        if (i < a) {
            g = static_cast<double>(i) / a;
        } else if (i >= a + h) {
            g = std::pow(0.001, static_cast<double>(i - a - h) / rest);
        }
        s[i] = static_cast<float>(s[i] * g);
    }
}

void Fades(Samples& s, double in, double out) {
    const size_t a = std::min(Count(in), s.size()), b = std::min(Count(out), s.size());
    for (size_t i = 0; i < a; ++i) s[i] = static_cast<float>(s[i] * (double(i) / a));
    for (size_t i = 0; i < b; ++i) {
        s[s.size() - 1 - i] = static_cast<float>(s[s.size() - 1 - i] * (double(i) / b));
    }
}

void Mix(Samples& s, const Samples& other, double gain, double at) {
    const size_t start = Count(at);
    if (s.size() < start + other.size()) s.resize(start + other.size(), 0.0f);
    for (size_t i = 0; i < other.size(); ++i) {
        s[start + i] = static_cast<float>(s[start + i] + gain * other[i]);
    }
}

void Normalize(Samples& s, double peak) {
    float top = 0;
    for (float v : s) top = std::max(top, std::fabs(v));
    if (top == 0) return;
    const float k = static_cast<float>(peak / top);
    for (float& v : s) v *= k;
}

} // namespace soundgen
