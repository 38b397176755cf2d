// The player's comforts in live play: Settings.ini beside Controls.ini and
// Stats.ini beside the history, the command line winning over the settings
// for its run, and the choices made on the options screen carried out on
// the window and the sound.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/player_comforts.h"
#include "app/settings_file.h"
#include "launcher/options.h"
#include "launcher/program_files.h"
#include "platform/controls.h"

// The settings for this run: the file's, with what the command line says
// instead where it says anything (--sound, --mute, --window, --fullscreen).
Settings ForThisRun(Settings fromFile, const GameOptions& options);
// What Settings.ini keeps when the player changed `atStart` into `now` on
// the options screen: the file's own values, except those the player
// changed (a --sound of one run does not become the player's choice).
Settings ToKeep(const Settings& fromFile, const Settings& atStart, const Settings& now);
// The options as the window is opened with the settings' display.
GameOptions WithDisplay(GameOptions options, const Settings& settings);

// The window, its scaling and the sound as `settings` say, on the current host.
void ApplySettings(const Settings& settings, bool muted);

// Comforts whose choices are carried out and kept in the player's files;
// `filesSaved` (may be empty) is told after each file written.
std::unique_ptr<PlayerComforts> LiveComforts(const GameOptions& options, const ProgramFiles& files,
                                             const platform::ControlMap& controls,
                                             std::function<void()> filesSaved);

// Comforts that change and keep nothing: a replay runs the options screen
// only as the recording's keys drive it, for the frames it paused.
std::unique_ptr<PlayerComforts> ReplayComforts();
