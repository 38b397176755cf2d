// mixer_bench [BLOCKS]: times the mixing of 32 playing channels, each at a
// changed frequency, into blocks of 1024 frames at 44.1 kHz: the mixer alone,
// and the engine's whole device callback (channels gathered under its lock,
// mixed, and their positions written back). Prints each as a share of the
// block's duration, which is what the device allows for it.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "audio/bass.h"
#include "audio/mixer.h"
#include "audio/sound_enabled.h"
#include "cli/parser.h"
#include "platform/headless_host.h"

namespace {

constexpr int kChannels = 32;
constexpr int kBlockFrames = 1024;
constexpr int kDeviceRate = 44100;
constexpr int kSoundRate = 22050;

std::vector<int16_t> Tone(int frames, double frequency) {
    std::vector<int16_t> tone(static_cast<size_t>(frames) * 2);
    for (int i = 0; i < frames; ++i) {
        const auto v = static_cast<int16_t>(
            std::lround(3000 * std::sin(2 * std::numbers::pi * frequency * i / kSoundRate)));
        tone[2 * static_cast<size_t>(i)] = v;
        tone[2 * static_cast<size_t>(i) + 1] = static_cast<int16_t>(-v);
    }
    return tone;
}

// The frequency of channel i: spread from 0.6 to 1.9 times the sound's rate.
double FrequencyOf(int i) {
    return kSoundRate * (0.6 + 1.3 * i / (kChannels - 1));
}

template <typename Mix> double MicrosecondsPerBlock(int blocks, Mix mix) {
    for (int i = 0; i < blocks / 10; ++i) mix(); // warm up
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < blocks; ++i) mix();
    const std::chrono::duration<double, std::micro> spent =
        std::chrono::steady_clock::now() - start;
    return spent.count() / blocks;
}

void Report(const char* what, double microseconds) {
    const double blockMicroseconds = 1e6 * kBlockFrames / kDeviceRate;
    std::printf("%-34s %8.1f us per block = %5.2f %% of the block's %.1f ms\n", what, microseconds,
                100.0 * microseconds / blockMicroseconds, blockMicroseconds / 1000);
}

} // namespace

int main(int argc, char** argv) {
    int blocks = 4000;
    cli::Parser parser("mixer_bench",
                       "Times the mixing of 32 playing channels, each at a changed frequency,\n"
                       "into blocks of 1024 frames at 44.1 kHz: the mixer alone and the engine's\n"
                       "whole device callback, each as a share of the block's duration.");
    parser.OptionalNumberArgument("BLOCKS", blocks, 10, 10000000,
                                  "how many blocks each is timed over (default 4000)");
    if (const std::optional<int> status = parser.Handle(argc, argv)) return *status;
    std::vector<std::vector<int16_t>> tones;
    for (int i = 0; i < kChannels; ++i) tones.push_back(Tone(kSoundRate * 4, 200.0 + 15 * i));
    std::vector<int16_t> out(2 * kBlockFrames);

    std::vector<audio::MixVoice> voices(kChannels);
    for (int i = 0; i < kChannels; ++i) {
        audio::MixVoice& v = voices[static_cast<size_t>(i)];
        v.frames = tones[static_cast<size_t>(i)].data();
        v.channels = 2;
        v.count = kSoundRate * 4;
        v.loop = true;
        v.rate = FrequencyOf(i);
        audio::GainsFor(60, (i * 13) % 201 - 100, v.left, v.right);
    }
    std::printf("%d channels at %.0f .. %.0f Hz into %d-frame blocks at %d Hz, %d blocks\n",
                kChannels, FrequencyOf(0), FrequencyOf(kChannels - 1), kBlockFrames, kDeviceRate,
                blocks);
    Report("mixer (MixBlock)", MicrosecondsPerBlock(blocks, [&] {
               audio::MixBlock(voices, kDeviceRate, out.data(), kBlockFrames);
           }));

    // The same through the library: samples played at those frequencies on a
    // device whose blocks are asked for here.
    platform::HeadlessHost host;
    platform::SetHost(&host);
    SoundEnabled = BASS_Init(-1, kDeviceRate, 0, nullptr, nullptr) != 0;
    for (int i = 0; i < kChannels; ++i) {
        const auto& tone = tones[static_cast<size_t>(i)];
        // A WAV in memory: the 44-byte header, then the frames.
        std::string wav = "RIFF----WAVEfmt ";
        auto put32 = [&](uint32_t v) { wav.append(reinterpret_cast<const char*>(&v), 4); };
        auto put16 = [&](uint16_t v) { wav.append(reinterpret_cast<const char*>(&v), 2); };
        put32(16);
        put16(1);
        put16(2);
        put32(kSoundRate);
        put32(kSoundRate * 4);
        put16(4);
        put16(16);
        wav += "data";
        put32(static_cast<uint32_t>(tone.size() * 2));
        wav.append(reinterpret_cast<const char*>(tone.data()), tone.size() * 2);
        const uint32_t riff = static_cast<uint32_t>(wav.size() - 8);
        wav.replace(4, 4, reinterpret_cast<const char*>(&riff), 4);
        const HSAMPLE sample = BASS_SampleLoad(1, wav.data(), 0, static_cast<uint32_t>(wav.size()),
                                               1, BASS_SAMPLE_LOOP);
        const HCHANNEL channel = BASS_SampleGetChannel(sample, 0);
        BASS_ChannelSetAttributes(channel, static_cast<int32_t>(FrequencyOf(i)), 60,
                                  (i * 13) % 201 - 100);
        if (!BASS_ChannelPlay(channel, 1)) {
            std::fprintf(stderr, "mixer_bench: channel %d: %s\n", i,
                         BASS_ErrorText(BASS_ErrorGetCode()));
            return 1;
        }
    }
    Report("engine callback (32 samples)",
           MicrosecondsPerBlock(blocks, [&] { host.PullAudio(out.data(), kBlockFrames); }));
    BASS_Free();
    platform::SetHost(nullptr);
    return 0;
}
