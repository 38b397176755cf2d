#include "tools/sound_gen/effects.h"

namespace soundgen {
namespace {

// Every effect ends the same way: soft edges and a peak 3 to 4 dB below full
// scale, so that several at once rarely clip.
Effect Finish(const std::string& set, int variation, Samples s, double peak = 0.68) {
    Fades(s);
    Normalize(s, peak);
    return {set, set + "_" + std::to_string(variation), std::move(s)};
}

// A charged strike: a swish of band-limited noise rising and falling.
Effect Strike(int v) {
    Samples s = WhiteNoise(0.28 + 0.04 * v, 100 + v);
    LowPass(s, 900 + 300 * v, 5200);
    HighPass(s, 500);
    Envelope(s, 0.05, 0.04);
    return Finish("Strike", v, std::move(s));
}

// Fur cut by the sword: a short, bright rasp.
Effect Cut(int v) {
    Samples s = WhiteNoise(0.14 + 0.02 * v, 200 + v);
    HighPass(s, 2500 + 600 * v);
    Samples grain = Tone(0.14 + 0.02 * v, 1900 + 250 * v, 1300, 3);
    Mix(s, grain, 0.25);
    Envelope(s, 0.004, 0.02);
    return Finish("Cut", v, std::move(s), 0.6);
}

// A hit point stabbed: a thump with a bell-like ring.
Effect HitPoint(int v) {
    Samples s = Tone(0.5, 660 + 90 * v, 620 + 80 * v, 5);
    Envelope(s, 0.003, 0.02);
    Samples thump = Tone(0.2, 160, 70);
    Envelope(thump, 0.002, 0.01);
    Mix(s, thump, 1.2);
    Samples click = WhiteNoise(0.03, 300 + v);
    Envelope(click, 0.001, 0.0);
    Mix(s, click, 0.4);
    return Finish("HitPoint", v, std::move(s));
}

// A stage of 400 lost: a low boom under a rising call.
Effect Stage(int v) {
    Samples s = Tone(0.9, 55 + 8 * v, 40, 3);
    Envelope(s, 0.01, 0.15);
    Samples call = Tone(0.7, 220 + 40 * v, 440 + 60 * v, 3, 6);
    Envelope(call, 0.08, 0.25);
    Mix(s, call, 0.45, 0.1);
    return Finish("Stage", v, std::move(s));
}

// Defeated: a long falling roar.
Effect Defeat(int v) {
    Samples s = WhiteNoise(1.4, 400 + v);
    LowPass(s, 1200 + 200 * v, 120);
    Samples fall = Tone(1.4, 180 + 30 * v, 45, 5, 4);
    Mix(s, fall, 0.6);
    Envelope(s, 0.06, 0.5);
    return Finish("Defeat", v, std::move(s));
}

// The next monster rises: a rumble swelling out of the ground.
Effect Rise(int v) {
    Samples s = WhiteNoise(1.25, 500 + v);
    LowPass(s, 90, 260 + 40 * v);
    Samples hum = Tone(1.25, 38 + 4 * v, 62, 3);
    Mix(s, hum, 0.5);
    Envelope(s, 0.7, 0.25);
    return Finish("Rise", v, std::move(s));
}

// A heavy landing: a deep thud with a little dust.
Effect Land(int v) {
    Samples s = Tone(0.55, 90 + 12 * v, 38, 3);
    Envelope(s, 0.002, 0.03);
    Samples dust = WhiteNoise(0.35, 600 + v);
    LowPass(dust, 700, 200);
    Envelope(dust, 0.002, 0.02);
    Mix(s, dust, 0.5);
    return Finish("Land", v, std::move(s));
}

// The man dies: a short falling wail.
Effect Death(int v) {
    Samples s = Tone(0.9, 520 + 70 * v, 110, 3, 7);
    Envelope(s, 0.01, 0.2);
    Samples hit = WhiteNoise(0.12, 700 + v);
    LowPass(hit, 2000, 400);
    Envelope(hit, 0.001, 0.01);
    Mix(s, hit, 0.5);
    return Finish("Death", v, std::move(s));
}

} // namespace

std::vector<Effect> AllEffects() {
    std::vector<Effect> all;
    for (int v = 1; v <= 3; ++v) all.push_back(Strike(v));
    for (int v = 1; v <= 3; ++v) all.push_back(Cut(v));
    for (int v = 1; v <= 2; ++v) all.push_back(HitPoint(v));
    for (int v = 1; v <= 2; ++v) all.push_back(Stage(v));
    for (int v = 1; v <= 2; ++v) all.push_back(Defeat(v));
    for (int v = 1; v <= 2; ++v) all.push_back(Rise(v));
    for (int v = 1; v <= 3; ++v) all.push_back(Land(v));
    for (int v = 1; v <= 2; ++v) all.push_back(Death(v));
    return all;
}

} // namespace soundgen
