#include "player.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>
#include <unistd.h>

#include "audio/bass.h"
#include "audio/kivBassSound.h"
#include "audio/kivBassSoundm.h"
#include "audio/kivBassSounds.h"
#include "vb/runtime_error.h"

void ConsoleHost::MessageBox(const std::string& text, const std::string& /*title*/) {
    Boxes.push_back(text);
}

namespace {

using namespace std::chrono_literals;

float PositionSeconds(const kivBassSound& sound) {
    const uint32_t handle = sound.BassHandle();
    const auto bytes = static_cast<uint32_t>(BASS_ChannelGetPosition(handle));
    return BytesToSeconds(handle, static_cast<int32_t>(bytes));
}

std::string ProgressLine(const std::string& name, float position, float length) {
    char numbers[64];
    std::snprintf(numbers, sizeof(numbers), "%.2f / %.2f s", position, length);
    return name + "  " + numbers;
}

// Plays on until `playing` says it is over, showing the position on a terminal.
PlayResult Follow(const std::function<bool()>& playing, kivBassSound& sound,
                  const std::string& label, const volatile std::sig_atomic_t& interrupted) {
    const bool terminal = isatty(STDOUT_FILENO) == 1;
    const std::string name = std::filesystem::path(label).filename().string();
    const float length = sound.Length();
    while (playing()) {
        if (interrupted) {
            sound.Stopz();
            if (terminal) std::printf("\n");
            return PlayResult::Interrupted;
        }
        if (terminal) {
            std::printf("\r%s\033[K", ProgressLine(name, PositionSeconds(sound), length).c_str());
            std::fflush(stdout);
        }
        std::this_thread::sleep_for(50ms);
    }
    // The device still holds the last mixed block or two: let them sound.
    std::this_thread::sleep_for(100ms);
    std::printf(terminal ? "\r%s\033[K\n" : "%s\n", ProgressLine(name, length, length).c_str());
    std::fflush(stdout);
    return PlayResult::Played;
}

} // namespace

void SoundPlayer::Fail(const std::string& path, const std::string& why) const {
    std::fprintf(stderr, "stompvale-sound: %s: cannot be played: %s\n", path.c_str(), why.c_str());
}

// The sound class names the library's error code in its message box.
std::string SoundPlayer::LoadError(const std::string& file) const {
    const std::string key = "'" + file + ". Bass Error Code:";
    for (auto box = mHost.Boxes.rbegin(); box != mHost.Boxes.rend(); ++box) {
        const size_t at = box->find(key);
        if (at != std::string::npos) {
            return BASS_ErrorText(std::atoi(box->c_str() + at + key.size()));
        }
    }
    return "it could not be loaded";
}

PlayResult SoundPlayer::Play(const std::string& path) {
    const int32_t typez = mOptions.stream ? 1 : 0;
    const int32_t loop = mOptions.loop ? -1 : 0;
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        kivBassSounds set;
        try {
            set.Initialize(typez, path, 1);
        } catch (const vb::RuntimeError&) {
            Fail(path, "the folder holds no file");
            return PlayResult::Failed;
        }
        const size_t boxes = mHost.Boxes.size();
        set.PlayRandom(mOptions.volume, mOptions.pan, mOptions.pitch, loop);
        kivBassSound& sound = *set.Sound();
        if (sound.BassHandle() == 0) {
            Fail(sound.Filename(), LoadError(sound.Filename()));
            return PlayResult::Failed;
        }
        if (mHost.Boxes.size() > boxes) {
            Fail(sound.Filename(), mHost.Boxes.back());
            return PlayResult::Failed;
        }
        return Follow([&] { return set.Playing(); }, sound, sound.Filename(), mInterrupted);
    }

    kivBassSound sound;
    sound.Initialize(typez, path, 1);
    if (sound.BassHandle() == 0) {
        Fail(path, LoadError(path));
        return PlayResult::Failed;
    }
    const size_t boxes = mHost.Boxes.size();
    sound.Play(mOptions.volume, mOptions.pan, mOptions.pitch, loop);
    if (mHost.Boxes.size() > boxes) {
        Fail(path, mHost.Boxes.back());
        return PlayResult::Failed;
    }
    return Follow([&] { return sound.PlayingStream(); }, sound, path, mInterrupted);
}
