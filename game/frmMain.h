// The game form: owns every object of one game and runs its frames. Game
// objects reach each other through the one global instance, frmMain, as its
// state (world/game_form_state.h) shows it to them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/modMain.h"
#include "gfx/kivSprites3.h"
#include "platform/forms.h"
#include "platform/host.h"
#include "world/game_form_state.h"

class clsMan;
class clsMonster;
class clsElements;
class clsParticles;

class frmMainForm : public GameForm, public frmMainState {
  public:
    frmMainForm();
    ~frmMainForm() override;

    // Set-up (frmMain.cpp) and one frame (main_loop.cpp).
    void Kiv_Initialize() override;
    void Kiv_Terminate() override;
    void MainLoop() override;

    clsMonster& Monster(int32_t pIndex) override { return *mMonsters.at(pIndex - 1); }
    int32_t GetColour(double pX, double pY) override;
    ManState* Man() override;
    clsParticles& Particles() override { return *mParticles; }

    // Screen images (screens.cpp).
    void TextChange(const std::string& pFileName, int32_t pTextCounter) override;
    bool ManIsDead() const override;
    ManOnView ManDrawn() const override;
    FightView Fight() const override;
    void PushBackTimers(int64_t milliseconds) override;
    uint64_t StateChecksum() const override; // state_checksum.cpp
    void ScreenImageStep();

    std::unique_ptr<clsMan> mMan;
    std::vector<std::unique_ptr<clsMonster>> mMonsters; // one monster, index 1
    std::unique_ptr<clsElements> mElements;
    std::unique_ptr<clsParticles> mParticles;
    kivSprites3 TextSprites;
    int32_t TextTimeScale = 15;
    platform::DateTime TextUntil = 0;
    std::string TextFileName; // the last screen image shown, for tools and tests
    int32_t TitleStep = 0;
    // False clears the whole view each frame, also where opaque layers will
    // cover it: the same picture, for comparisons.
    bool ClearOnlyUncovered = true;
    // What the last frame's clear left to the layers drawn after it.
    const std::vector<gdi::RECT>& ClearCovers() const { return mCovers; }

  protected:
    void Form_Unload() override; // the closing of the form asks to quit

  private:
    void ClearView(gdi::HDC dc);
    void DrawStatusBars();
    void DrawBanner();

    std::vector<gdi::RECT> mCovers;        // kept between frames for its memory
    std::vector<size_t> mElementCoverEnds; // where each scenery picture's covers end
};

// frmMain as the game itself knows it: the one game form, or nullptr.
inline frmMainForm* TheGameForm() {
    return static_cast<frmMainForm*>(frmMain);
}

// A new game form, for a GameSession to load.
std::unique_ptr<GameForm> NewGameForm();
// The program's set-up with this game form.
ProgramSetup GameProgramSetup(ScreenSizeMode screenSize);
