// Comforts around the game that change nothing when unused: P pauses and
// resumes, R after the man's death tries again. Run by the frame loop.
#pragma once

#include "app/game_form.h"
#include "platform/host.h"

class PauseControl {
  public:
    // One playing frame, after the keyboard was read: true while paused, when
    // the game's own frame must not run. Pausing dims a band of the last
    // picture with "Paused" over it; Escape still quits; resuming pushes the
    // screen image's and the banner's timers back by the time paused.
    bool Step(GameForm& form);
    bool Paused() const { return mPaused; }
    void Reset() { mPaused = false; }

  private:
    bool mPaused = false;
    platform::DateTime mPausedAt = 0;
};

// R went down this frame while the man is dead.
bool WantsToTryAgain(const GameForm& form);

// Darkens a band across the middle of the view and writes "Paused" in it.
void DrawPausedLine(gdi::HDC view, int32_t width, int32_t height);
