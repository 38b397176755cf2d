#include "game/headless_game.h"

#include "app/modMain.h"
#include "input/clsKeyboard.h"
#include "vb/random.h"

void HeadlessGame::Start(int32_t screenWidth, int32_t screenHeight, uint64_t seed) {
    Stop();
    SetWorldGlobals(screenWidth, screenHeight);
    GameState = 1;
    NextGameState = 1;
    StateFrames = 0;
    CameraX = CameraY = CameraSpeedX = CameraSpeedY = CameraLeadX = CameraLeadY = 0;
    OffsetX = OffsetY = 0;

    vb::Randomize(seed);
    Keyboard = std::make_unique<clsKeyboard>();
    Keyboard->Initialize();
    LoadHistory();

    platform::Host& host = platform::host();
    host.CreateGameWindow(kGameCaption, false);
    frmMainForm* form = new frmMainForm();
    // From here on Stop takes down whatever was built, also when a picture
    // fails to load below: a failed start leaves no half-made game behind.
    mStarted = true;
    try {
        form->Load();
        SetCurrentGameForm(form);
        form->Kiv_Initialize();
        host.ShowGameWindow();
    } catch (...) {
        Stop();
        throw;
    }
}

void HeadlessGame::Frame() {
    Keyboard->Check();
    TheGameForm()->MainLoop();
}

void HeadlessGame::Stop() {
    if (!mStarted) return;
    mStarted = false;
    SetCurrentGameForm(nullptr);
    if (frmMainForm* form = TheGameForm()) {
        form->Kiv_Terminate();
        form->Unload();
        delete form;
    }
    platform::host().DestroyGameWindow();
    Keyboard.reset();
}
