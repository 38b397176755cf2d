// The comforts the player chooses on the options screen, around a game that
// knows nothing of them: the screen itself over the paused game, the marker
// and colour of the man and the timer over the view, and the times and
// statistics of the fights. Without them (tests, tools) the game plays as it
// always has; with them it plays the same frames, only paused while the
// options are open.
#pragma once

#include <functional>
#include <vector>

#include "app/fight_record.h"
#include "app/game_session.h"
#include "app/options_screen.h"
#include "app/settings_file.h"
#include "app/view_marks.h"
#include "history/stats_file.h"
#include "platform/controls.h"
#include "platform/host.h"

// What the comforts ask of the program around them; any may be empty (a
// replay changes and keeps nothing).
struct ComfortsEffects {
    // The window, its scaling and the sound as the settings say.
    std::function<void(const Settings&)> applySettings;
    std::function<void(const Settings&)> saveSettings;
    std::function<void(const platform::ControlMap&)> saveControls;
    std::function<void(const std::vector<MonsterStats>&)> saveStats;
};

class PlayerComforts {
  public:
    PlayerComforts(Settings settings, platform::ControlMap controls,
                   std::vector<MonsterStats> stats, ComfortsEffects effects);

    // The session whose form the marks follow (nullptr: none).
    void Attach(GameSession* session) { mSession = session; }
    // A new game has started: its run's time from 0.
    void NewGame() { mFights.NewGame(); }
    // A playing frame, after the keyboard was read, `paused` by P: Tab or F1
    // opens the options screen. True while it is open: the game's frame must
    // not run.
    bool Step(GameForm& form, bool paused);
    // After a frame the game played.
    void AfterFrame(const GameForm& form);
    // Over the view on its way to the window.
    void DrawOver(ViewMarks& marks) const;
    // The statistics and settings kept, as the game ends.
    void Save();

    const Settings& CurrentSettings() const { return mSettings; }
    const platform::ControlMap& Controls() const { return mControls; }
    const FightRecord& Fights() const { return mFights; }
    const OptionsScreen& Options() const { return mOptions; }
    // What the statistics page lists.
    std::vector<MonsterStats> RosterStats() const;

  private:
    void DrawMan(ViewMarks& marks, const GameForm& form) const;
    void DrawTimer(ViewMarks& marks) const;
    void Close(GameForm& form, bool paused);

    Settings mSettings;
    platform::ControlMap mControls;
    FightRecord mFights;
    ComfortsEffects mEffects;
    OptionsScreen mOptions;
    GameSession* mSession = nullptr;
    platform::DateTime mOpenedAt = 0;
    bool mSettingsUnsaved = false;
};
