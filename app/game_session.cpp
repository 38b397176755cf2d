#include "app/game_session.h"

#include <exception>
#include <string>
#include <utility>

#include "app/modMain.h"
#include "history/history.h"
#include "input/clsKeyboard.h"
#include "platform/host.h"
#include "vb/random.h"
#include "world/world_globals.h"

GameSession::GameSession(FormFactory newForm) : mNewForm(std::move(newForm)) {}

GameSession::~GameSession() {
    Stop();
}

void GameSession::BeginRun(int32_t screenWidth, int32_t screenHeight, uint64_t seed) {
    vb::Randomize(seed);
    SetWorldGlobals(screenWidth, screenHeight);
    StateFrames = 0;
    CameraX = CameraY = CameraSpeedX = CameraSpeedY = CameraLeadX = CameraLeadY = 0;
    OffsetX = OffsetY = 0;
    Keyboard = std::make_unique<clsKeyboard>();
    Keyboard->Initialize();
}

void GameSession::Start(bool fullScreen) {
    if (mForm) Stop();
    // After trying again the window is still there; asking for it again
    // changes nothing.
    platform::Host& host = platform::host();
    host.CreateGameWindow(kGameCaption, fullScreen);
    mWindowOpen = true;
    try {
        mForm = mNewForm();
        mForm->Load();
        mForm->Kiv_Initialize();
        host.ShowGameWindow();
    } catch (...) {
        Stop();
        throw;
    }
}

void GameSession::Frame() {
    Keyboard->Check();
    mForm->MainLoop();
}

void GameSession::TryAgain(uint64_t seed, bool saveHistory) {
    if (mForm) mForm->Kiv_Terminate();
    ReleaseForm(); // the window stays for the next game
    bool saved = false;
    if (saveHistory) {
        try {
            SaveHistory();
            saved = true;
        } catch (const std::exception& error) {
            platform::host().MessageBox(error.what(), kGameCaption);
        }
    }
    BeginRun(ScreenWidth, ScreenHeight, seed);
    if (saved) {
        LoadHistory();
    } else {
        // Play goes on from the history in memory rather than from the
        // file, which lacks this game's defeats.
        MonsterNameUntil = platform::host().Now() - platform::kMillisecondsPerDay;
    }
}

void GameSession::Stop() {
    if (mForm) mForm->Kiv_Terminate();
    ReleaseForm();
    if (mWindowOpen) {
        mWindowOpen = false;
        platform::host().DestroyGameWindow();
    }
}

void GameSession::ReleaseForm() {
    if (!mForm) return;
    mForm->Unload();
    mForm.reset();
}

void GameSession::StartPlaying(int32_t screenWidth, int32_t screenHeight, uint64_t seed) {
    Stop();
    BeginRun(screenWidth, screenHeight, seed);
    GameState = 1;
    NextGameState = 1;
    LoadHistory();
    Start(false);
}
