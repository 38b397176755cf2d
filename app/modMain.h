// The program's module: the entry point with its frame loop, and the world
// globals (world/) that start-up sets.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/game_form.h"
#include "app/game_session.h"
#include "app/player_comforts.h"
#include "audio/sound_enabled.h"
#include "platform/host.h"
#include "world/world_globals.h"

// How start-up chooses the screen size: the two builds differ only here.
enum class ScreenSizeMode { Windowed1024x768, Desktop };

struct ProgramSetup {
    ScreenSizeMode screenSize = ScreenSizeMode::Windowed1024x768;
    // Makes the game form (not yet loaded) on the first playing frame. The
    // game window (caption, full screen or not) already exists by then.
    GameSession::FormFactory newGameForm;
    // The game's own sounds (--sound); without them the game opens the sound
    // device and stays silent.
    bool sound = false;
    // No sound at all, whatever the device, the data and `sound` (--mute).
    bool mute = false;
    // Bytes all bitmaps together may hold; 0 takes the machine's default.
    uint64_t bitmapMemoryBudget = 0;
    // Where each new game's random seed comes from (the clock when unset): a
    // recording keeps them, a replay hands them back.
    std::function<uint64_t()> newSeed;
    // Called with the game form just before the game ends, while its objects
    // and view still stand (a replay's checksum is taken there).
    std::function<void(GameForm&)> beforeGameEnds;
    // Called after each frame's events, before the wait for the next one,
    // with the frame's number (1 for the first): the page holds a frame there
    // for its tests, and tools drive a game by it.
    std::function<void(int64_t)> afterFrame;
    // The options screen, the marks over the view and the fights' times and
    // statistics (nullptr: none, the game as it always was). Not owned.
    PlayerComforts* comforts = nullptr;
    // Told after the comforts wrote one of the player's files (the page
    // keeps them in the browser's storage at once).
    std::function<void()> filesSaved;
};

// Main: start-up, the frame loop, the history written at the end. Returns the
// process exit status. Errors that reach it are shown in a message box.
int Main(const ProgramSetup& setup);

// Fills the world globals for a screen size: pixel size, view, centre,
// camera snap, gravity, colours, thresholds, and the top-level state (0, next
// 1). Start-up calls it; tests and tools may too.
void SetWorldGlobals(int32_t screenWidth, int32_t screenHeight);

// The game window's caption.
inline constexpr const char* kGameCaption = "Gloamward";
