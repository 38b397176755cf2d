// The game form as the frame loop and the history see it; the game itself
// (game/frmMain) implements it.
#pragma once

#include <cstdint>
#include <string>

class GameForm {
  public:
    virtual ~GameForm() = default;
    virtual void Kiv_Initialize() = 0;
    virtual void Kiv_Terminate() = 0;
    virtual void MainLoop() = 0;
    virtual void TextChange(const std::string& pFileName, int32_t pTextCounter) = 0;

    // For the comforts around the game (pause, try again).
    virtual bool ManIsDead() const = 0;
    // The screen image's timer runs on from later by this much (a pause).
    virtual void PushBackTimers(int64_t milliseconds) = 0;
    // One number for the whole state of the game and its picture: two runs
    // that agree on it played the same (recorded games check their replays).
    virtual uint64_t StateChecksum() const { return 0; }
};

// The form currently playing, or nullptr.
GameForm* CurrentGameForm();
// Registers the playing form for code that drives the game without Main
// (the headless test world).
void SetCurrentGameForm(GameForm* form);
