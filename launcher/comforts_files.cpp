#include "launcher/comforts_files.h"

#include <cstdio>
#include <exception>

#include "audio/bass.h"
#include "audio/sound_enabled.h"
#include "files/atomic_write.h"
#include "files/bounded_read.h"
#include "history/history.h"
#include "history/stats_file.h"
#include "platform/host.h"
#include "sounds/game_sounds.h"
#include "world/world_globals.h"

namespace {

std::string Beside(const std::string& file, const char* name) {
    const size_t slash = file.rfind('/');
    return (slash == std::string::npos ? std::string(".") : file.substr(0, slash)) + "/" + name;
}

// A file that cannot be written is said and play goes on: the choices hold
// for this run.
template <class Write> void Keep(const std::function<void()>& filesSaved, Write&& write) {
    try {
        write();
        if (filesSaved) filesSaved();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
}

} // namespace

Settings ForThisRun(Settings settings, const GameOptions& options) {
    if (options.sound) settings.sound = true;
    if (options.mute) settings.sound = false;
    if (options.window) settings.display = DisplayChoice::Window;
    if (options.fullScreen) settings.display = DisplayChoice::FullScreen;
    return settings;
}

Settings ToKeep(const Settings& fromFile, const Settings& atStart, const Settings& now) {
    Settings kept = fromFile;
    auto take = [](auto& field, const auto& start, const auto& changed) {
        if (!(start == changed)) field = changed;
    };
    take(kept.sound, atStart.sound, now.sound);
    take(kept.volume, atStart.volume, now.volume);
    take(kept.display, atStart.display, now.display);
    take(kept.scaling, atStart.scaling, now.scaling);
    take(kept.marker, atStart.marker, now.marker);
    take(kept.manColour, atStart.manColour, now.manColour);
    take(kept.timer, atStart.timer, now.timer);
    return kept;
}

GameOptions WithDisplay(GameOptions options, const Settings& settings) {
    if (!options.window && !options.fullScreen) {
        options.window = settings.display == DisplayChoice::Window;
        options.fullScreen = settings.display == DisplayChoice::FullScreen;
    }
    return options;
}

void ApplySettings(const Settings& settings, bool muted) {
    platform::Host& host = platform::host();
    BASS_SetVolume(static_cast<uint32_t>(settings.volume));
    host.SetSmoothScaling(settings.scaling == ScalingChoice::Smooth);
    if (settings.display != DisplayChoice::AsTheGameStarts)
        host.SetFullScreen(settings.display == DisplayChoice::FullScreen);
    // The game's sounds are loaded with its form; turned on later, they are
    // loaded then, and turned off they go.
    const bool sounds = settings.sound && !muted && SoundEnabled;
    if (sounds == GameSoundsOn) return;
    GameSoundsOn = sounds;
    if (sounds) {
        LoadGameSounds(host.AppPath() + "/Sounds");
    } else {
        UnloadGameSounds();
    }
}

std::unique_ptr<PlayerComforts> LiveComforts(const GameOptions& options, const ProgramFiles& files,
                                             const platform::ControlMap& controls,
                                             std::function<void()> filesSaved) {
    const std::string settingsFile = Beside(files.controlsFile, "Settings.ini");
    const std::string statsFile = Beside(files.historyFile, "Stats.ini");
    const Settings fromFile = LoadSettings(settingsFile);
    const Settings atStart = ForThisRun(fromFile, options);
    ComfortsEffects effects;
    const bool muted = options.mute;
    effects.applySettings = [muted](const Settings& s) { ApplySettings(s, muted); };
    effects.saveSettings = [=](const Settings& now) {
        Keep(filesSaved, [&] { SaveSettings(ToKeep(fromFile, atStart, now), settingsFile); });
    };
    effects.saveControls = [=, path = files.controlsFile](const platform::ControlMap& map) {
        Keep(filesSaved, [&] { files::WriteFileAtomically(path, platform::ControlsText(map)); });
    };
    // A Stats.ini that exists but cannot be read is not written over: the
    // statistics of this run are the ones lost, not the player's.
    std::string unused;
    const files::ReadOutcome stats = files::ReadBoundedFile(statsFile, kHistoryMostBytes, unused);
    if (stats.kind == files::ReadOutcome::Read || stats.kind == files::ReadOutcome::Missing) {
        effects.saveStats = [=](const std::vector<MonsterStats>& stats) {
            Keep(filesSaved, [&] { SaveStats(stats, statsFile); });
        };
    }
    return std::make_unique<PlayerComforts>(atStart, controls, LoadStats(statsFile),
                                            std::move(effects));
}

std::unique_ptr<PlayerComforts> ReplayComforts() {
    return std::make_unique<PlayerComforts>(Settings{}, platform::ControlMap::Defaults(),
                                            std::vector<MonsterStats>{}, ComfortsEffects{});
}
