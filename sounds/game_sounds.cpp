#include "sounds/game_sounds.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>
#include <random>

#include "audio/kivBassSounds.h"
#include "audio/sound_enabled.h"
#include "world/world_globals.h"

namespace {

constexpr size_t kSounds = static_cast<size_t>(GameSound::Count);
const char* const kNames[kSounds] = {"Strike", "Cut",  "HitPoint", "Stage",
                                     "Defeat", "Rise", "Land",     "Death"};

struct Sets {
    std::array<std::unique_ptr<kivBassSounds>, kSounds> sets;
    std::array<int32_t, kSounds> plays{};
    std::vector<GameSound> order;
    std::mt19937 random{20261208}; // the sounds' own: the game's sequence stays as it is
};

Sets& State() {
    static Sets state;
    return state;
}

} // namespace

const char* GameSoundName(GameSound sound) {
    return kNames[static_cast<size_t>(sound)];
}

void LoadGameSounds(const std::string& soundsFolder) {
    UnloadGameSounds();
    if (!SoundEnabled || !GameSoundsOn) return;
    namespace fs = std::filesystem;
    for (size_t i = 0; i < kSounds; ++i) {
        const fs::path folder = fs::path(soundsFolder) / kNames[i];
        std::error_code error;
        if (!fs::is_directory(folder, error) || fs::is_empty(folder, error)) continue;
        auto set = std::make_unique<kivBassSounds>();
        // Samples, up to four of each at once: strikes and cuts come quickly.
        set->Initialize(0, folder.string(), 4);
        State().sets[i] = std::move(set);
    }
}

void UnloadGameSounds() {
    for (auto& set : State().sets) {
        if (set) set->Terminate();
        set.reset();
    }
    State().plays.fill(0);
    State().order.clear();
}

void PlayGameSound(GameSound sound, double worldX, double loudness) {
    const size_t i = static_cast<size_t>(sound);
    Sets& state = State();
    kivBassSounds* set = state.sets[i].get();
    if (!set || set->Count() == 0 || !SoundEnabled) return;
    const double screenX = worldX * PixelWidth + OffsetX;
    const double pan = std::clamp(screenX / std::max(1, ViewWidth) * 200 - 100, -100.0, 100.0);
    // Volume in the library's units: -100 silent, 0 half, 100 full.
    const double volume = std::clamp(loudness, 0.0, 1.0) * 200 - 100;
    std::uniform_int_distribution<int32_t> pick(1, set->Count());
    std::uniform_real_distribution<double> pitch(-6, 6);
    set->PlaySpecific(pick(state.random), volume, pan, pitch(state.random), 0);
    ++state.plays[i];
    state.order.push_back(sound);
}

int32_t GameSoundPlayed(GameSound sound) {
    const kivBassSounds* set = State().sets[static_cast<size_t>(sound)].get();
    return set ? set->Current() : 0;
}

int32_t GameSoundPlays(GameSound sound) {
    return State().plays[static_cast<size_t>(sound)];
}

const std::vector<GameSound>& GameSoundsPlayed() {
    return State().order;
}
