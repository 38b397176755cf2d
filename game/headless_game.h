// One game run frame by frame without the frame loop, as start-up and the
// loop's first playing frame would set it up: for tools, benchmarks and
// tests on the headless host (or any host set with platform::SetHost).
#pragma once

#include <cstdint>

#include "game/frmMain.h"

class HeadlessGame {
  public:
    HeadlessGame() = default;
    ~HeadlessGame() { Stop(); }
    HeadlessGame(const HeadlessGame&) = delete;
    HeadlessGame& operator=(const HeadlessGame&) = delete;

    // World globals for the screen size, the random seed, the keyboard, the
    // history from the host's program folder, then the game form created,
    // loaded and initialized in the playing state. When that raises (a
    // picture that cannot be loaded, a name that makes no sense) the game is
    // torn down again before the error passes on.
    void Start(int32_t screenWidth, int32_t screenHeight, uint64_t seed);
    // Keyboard.Check and one MainLoop; the caller moves the host's clock.
    void Frame();
    // Tears the game down as the quitting state does; the history stays in
    // memory (SaveHistory writes it).
    void Stop();
    bool Started() const { return frmMain != nullptr && mStarted; }

    frmMainForm& game() { return *TheGameForm(); }

  private:
    bool mStarted = false;
};
