// The audio library on a headless host whose output the test pulls block by
// block, in a temporary folder for the sound files the test writes.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "audio/bass.h"
#include "audio/engine.h"
#include "audio/sound_enabled.h"
#include "platform/headless_host.h"
#include "support/sound_files.h"
#include "support/temp_dir.h"

constexpr int kOutputRate = 44100;

struct AudioWorld {
    TempDir dir;
    platform::HeadlessHost host;

    explicit AudioWorld(bool device = true) {
        platform::SetHost(&host);
        host.AudioAvailable = device;
        SoundEnabled = BASS_Init(-1, kOutputRate, 0, nullptr, nullptr) != 0;
    }
    ~AudioWorld() {
        BASS_Free();
        SoundEnabled = false;
        platform::SetHost(nullptr);
    }

    // A path in the folder; its own folders are made.
    std::string Path(const std::string& name) const {
        const std::filesystem::path path = dir.path() / name;
        std::filesystem::create_directories(path.parent_path());
        return path.string();
    }

    // A tone file in the folder; its path.
    std::string Tone(const std::string& name, const std::string& kind = "wav", int channels = 1,
                     int rate = 22050, double seconds = 0.5, double frequency = 441,
                     double amplitude = 10000) const {
        const std::string path = Path(name);
        EXPECT_TRUE(WriteTone(path, kind, channels, rate, seconds, frequency, amplitude)) << path;
        return path;
    }

    std::string Frames(const std::string& name, int channels, int rate,
                       const std::vector<int16_t>& interleaved) const {
        const std::string path = Path(name);
        EXPECT_TRUE(WriteFrames(path, channels, rate, interleaved)) << path;
        return path;
    }

    // The next `frames` output frames (stereo), with the streams fed before
    // every block as the worker would in real time.
    std::vector<int16_t> Pull(int frames) {
        std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
        for (int done = 0; done < frames; done += 1024) {
            audio::Engine::Get().WaitForStreams();
            host.PullAudio(out.data() + static_cast<size_t>(done) * 2,
                           std::min(1024, frames - done));
        }
        return out;
    }
};

// A constant value, `frames` long, mono.
inline std::vector<int16_t> Constant(int frames, int16_t value) {
    return std::vector<int16_t>(static_cast<size_t>(frames), value);
}

// 0, 1, 2, ... times `step`, mono.
inline std::vector<int16_t> Ramp(int frames, int step) {
    std::vector<int16_t> ramp(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i) ramp[static_cast<size_t>(i)] = static_cast<int16_t>(i * step);
    return ramp;
}
