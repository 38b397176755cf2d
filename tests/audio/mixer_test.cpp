// The mixer alone: voices in, a block of stereo frames out, no device.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "audio/mixer.h"
#include "support/sound_files.h"

namespace {

using audio::MixBlock;
using audio::MixVoice;

constexpr int kRate = 44100;

MixVoice VoiceOver(const std::vector<int16_t>& frames, int channels = 1, double rate = kRate) {
    MixVoice voice;
    voice.frames = frames.data();
    voice.channels = channels;
    voice.count = static_cast<int64_t>(frames.size()) / channels;
    voice.rate = rate;
    return voice;
}

std::vector<int16_t> Mix(std::vector<MixVoice>& voices, int frames) {
    std::vector<int16_t> out(static_cast<size_t>(frames) * 2, 12345);
    MixBlock(voices, kRate, out.data(), frames);
    return out;
}

std::vector<int16_t> Sine(int frames, int rate, double frequency, double amplitude) {
    std::vector<int16_t> sine(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        sine[static_cast<size_t>(i)] = static_cast<int16_t>(
            std::lround(amplitude * std::sin(2 * std::numbers::pi * frequency * i / rate)));
    }
    return sine;
}

TEST(Mixer, GainsFollowVolumeAndPan) {
    struct Case {
        int volume, pan;
        float left, right;
    };
    const Case cases[] = {
        {0, 0, 0, 0},           {50, 0, 0.5f, 0.5f}, {100, 0, 1, 1},
        {100, -100, 1, 0},      {100, 100, 0, 1},    {100, 50, 0.5f, 1},
        {50, -50, 0.5f, 0.25f}, {150, -300, 1, 0}, // beyond the ranges: their ends
    };
    for (const Case& c : cases) {
        float left = -1, right = -1;
        audio::GainsFor(c.volume, c.pan, left, right);
        EXPECT_FLOAT_EQ(left, c.left) << c.volume << " " << c.pan;
        EXPECT_FLOAT_EQ(right, c.right) << c.volume << " " << c.pan;
    }
}

TEST(Mixer, ConstantSoundComesOutScaledOnEachSide) {
    const std::vector<int16_t> mono(100, 10000);
    std::vector<MixVoice> voices = {VoiceOver(mono)};
    voices[0].left = 0.5f;
    voices[0].right = 0.25f;
    const std::vector<int16_t> out = Mix(voices, 50);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(out[2 * i], 5000);
        EXPECT_EQ(out[2 * i + 1], 2500);
    }
    const std::vector<int16_t> stereo = {1000, -2000, 1000, -2000};
    voices = {VoiceOver(stereo, 2)};
    const std::vector<int16_t> both = Mix(voices, 2);
    EXPECT_EQ(both, (std::vector<int16_t>{1000, -2000, 1000, -2000}));
}

TEST(Mixer, FrequencyIsTheChannelsRateOverTheDevices) {
    // A 441 Hz tone recorded at 22050 Hz: played at another rate its pitch
    // moves with it (the rates of pitch +50 % and -50 % of that sound).
    const std::vector<int16_t> tone = Sine(22050 * 2, 22050, 441, 10000);
    for (const double rate : {22050.0, 33075.0, 14700.0, 44100.0}) {
        std::vector<MixVoice> voices = {VoiceOver(tone, 1, rate)};
        const std::vector<int16_t> out = Mix(voices, kRate / 2);
        const double expected = 441 * rate / 22050;
        EXPECT_NEAR(ToneFrequency(Side(out, 0), kRate), expected, expected * 0.01) << rate;
        EXPECT_NEAR(voices[0].position, rate / 2, 1e-6);
        EXPECT_FALSE(voices[0].finished);
    }
}

TEST(Mixer, InterpolatesBetweenFrames) {
    const std::vector<int16_t> steps = {0, 1000, 2000};
    std::vector<MixVoice> voices = {VoiceOver(steps, 1, kRate / 2.0)};
    const std::vector<int16_t> out = Mix(voices, 4);
    EXPECT_EQ(Side(out, 0), (std::vector<int16_t>{0, 500, 1000, 1500}));
}

TEST(Mixer, LoopingGoesOnAcrossTheEnd) {
    const std::vector<int16_t> ramp = [] {
        std::vector<int16_t> r(100);
        for (int i = 0; i < 100; ++i) r[static_cast<size_t>(i)] = static_cast<int16_t>(i * 100);
        return r;
    }();
    std::vector<MixVoice> voices = {VoiceOver(ramp)};
    voices[0].loop = true;
    const std::vector<int16_t> out = Mix(voices, 250);
    for (int i = 0; i < 250; ++i) ASSERT_EQ(out[2 * i], (i % 100) * 100) << i;
    EXPECT_FALSE(voices[0].finished);
    EXPECT_DOUBLE_EQ(voices[0].position, 50);
    // A block that ends on the loop's last frame leaves the position at the
    // start again, never at the end (which would read as "played out").
    Mix(voices, 50);
    EXPECT_DOUBLE_EQ(voices[0].position, 0);

    // Without the loop it ends after its last frame, silent from there.
    voices = {VoiceOver(ramp)};
    const std::vector<int16_t> once = Mix(voices, 250);
    EXPECT_EQ(once[2 * 99], 9900);
    for (int i = 100; i < 250; ++i) ASSERT_EQ(once[2 * i], 0) << i;
    EXPECT_TRUE(voices[0].finished);
}

TEST(Mixer, AVoiceWaitingForMoreStopsShortWithoutEnding) {
    const std::vector<int16_t> part(10, 3000);
    std::vector<MixVoice> voices = {VoiceOver(part)};
    voices[0].more = true;
    const std::vector<int16_t> out = Mix(voices, 20);
    // The last frame needs the next one, which has not come yet.
    EXPECT_EQ(out[2 * 8], 3000);
    EXPECT_EQ(out[2 * 9], 0);
    EXPECT_DOUBLE_EQ(voices[0].position, 9);
    EXPECT_FALSE(voices[0].finished);
}

TEST(Mixer, OverflowClipsInsteadOfWrapping) {
    const std::vector<int16_t> high(10, 30000), low(10, -30000);
    std::vector<MixVoice> voices = {VoiceOver(high), VoiceOver(high)};
    EXPECT_EQ(Mix(voices, 10)[0], 32767);
    voices = {VoiceOver(low), VoiceOver(low)};
    EXPECT_EQ(Mix(voices, 10)[1], -32768);
    voices = {VoiceOver(high), VoiceOver(low)};
    EXPECT_EQ(Mix(voices, 10)[0], 0);
}

TEST(Mixer, NoVoicesGiveSilence) {
    std::vector<MixVoice> voices;
    const std::vector<int16_t> out = Mix(voices, 600); // more than one inner chunk
    EXPECT_EQ(Peak(out), 0);
}

} // namespace
