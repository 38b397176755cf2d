// The game form as the frame loop sees it; the game itself (game/frmMain)
// implements it.
#pragma once

#include <cstdint>
#include <string>

#include "gdi/raster.h"
#include "platform/forms.h"

class GameForm : public platform::Form {
  public:
    using platform::Form::Form;

    virtual void Kiv_Initialize() = 0;
    virtual void Kiv_Terminate() = 0;
    virtual void MainLoop() = 0;

    // For the comforts around the game (pause, try again).
    virtual bool ManIsDead() const = 0;
    // The screen image's timer runs on from later by this much (a pause).
    virtual void PushBackTimers(int64_t milliseconds) = 0;
    // Where the man was drawn in the last frame, for the marks over the view.
    struct ManOnView {
        bool drawn = false;
        gdi::RECT block{};
        gdi::COLORREF colour = 0;
    };
    virtual ManOnView ManDrawn() const { return {}; }
    // The fight as the times and statistics follow it.
    struct FightView {
        std::string monsterFile; // "" when no monster is left
        bool manDead = false;
        int64_t strikes = 0; // strikes that reached a hit point in this game
    };
    virtual FightView Fight() const { return {}; }
    // One number for the whole state of the game and its picture: two runs
    // that agree on it played the same (recorded games check their replays).
    virtual uint64_t StateChecksum() const { return 0; }
};
