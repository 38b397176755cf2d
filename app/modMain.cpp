// Start-up, the frame loop and the end of the program.
#include "app/modMain.h"

#include <exception>

#include "app/comforts.h"
#include "app/cursor.h"
#include "app/frame_pacing.h"
#include "app/history.h"
#include "app/kivForm.h"
#include "audio/bass.h"
#include "gdi/raster.h"
#include "gfx/modGraphic.h"
#include "input/clsKeyboard.h"
#include "platform/forms.h"
#include "vb/numeric.h"
#include "vb/random.h"
#include "vb/runtime_error.h"

namespace {

constexpr int32_t kStateFramesCap = 30000;
GameForm* gGameForm = nullptr;
// The player chose to play on with a history that cannot be saved.
bool gPlayingUnsaved = false;

void ReleaseGameForm(const ProgramSetup& setup) {
    if (!gGameForm) return;
    gGameForm = nullptr;
    if (setup.releaseGameForm) setup.releaseGameForm();
    platform::host().DestroyGameWindow();
}

void StartGame(const ProgramSetup& setup) {
    platform::host().CreateGameWindow(kGameCaption, setup.screenSize == ScreenSizeMode::Desktop);
    gGameForm = setup.createGameForm();
    gGameForm->Kiv_Initialize();
    platform::host().ShowGameWindow();
    HideMouseCursor();
}

// R after the man's death: what quitting and starting again would do, in the
// same window. The history is written and read again, the globals, the random
// source and the keyboard are as new, and the next frame starts the game. A
// history that cannot be saved is said, and play goes on from the one in
// memory rather than from the file, which lacks this game's defeats.
void TryAgain(const ProgramSetup& setup) {
    gGameForm->Kiv_Terminate();
    gGameForm = nullptr;
    if (setup.releaseGameForm) setup.releaseGameForm();
    bool saved = false;
    if (!gPlayingUnsaved) {
        try {
            SaveHistory();
            saved = true;
        } catch (const std::exception& error) {
            platform::host().MessageBox(error.what(), kGameCaption);
        }
    }
    vb::Randomize(setup.newSeed ? setup.newSeed() : vb::ClockSeed());
    SetWorldGlobals(ScreenWidth, ScreenHeight); // the start state again
    Keyboard = std::make_unique<clsKeyboard>();
    Keyboard->Initialize();
    if (saved) {
        LoadHistory();
    } else {
        MonsterNameUntil = platform::host().Now() - platform::kMillisecondsPerDay;
    }
}

// A history that cannot be saved is found before play, while the player can
// still choose to play without keeping the defeats, or to start again with
// --history naming another place. True to play.
bool PlayerAcceptsTheHistory() {
    const std::string problem = HistorySaveProblem();
    if (problem.empty()) return true;
    gPlayingUnsaved = platform::host().AskYesNo(
        problem + ".\n\nThe defeats of this game would not be kept. Play anyway?\n\n"
                  "(Start the game with --history FILE to keep them in another place.)",
        kGameCaption);
    return gPlayingUnsaved;
}

void RunFrameLoop(const ProgramSetup& setup) {
    int32_t frameDeadline = 0;
    PauseControl pause;
    do {
        CursorStep();
        Keyboard->Check();
        if (NextGameState != GameState) {
            StateFrames = 0;
            GameState = NextGameState;
            ShowMouseCursor();
            CursorIdleFrames = kCursorIdleReset;
        }
        if (StateFrames < kStateFramesCap) ++StateFrames;
        switch (GameState) {
        case 1:
            if (StateFrames == 1) {
                StartGame(setup);
                pause.Reset();
            }
            if (WantsToTryAgain(*gGameForm)) {
                TryAgain(setup);
                break;
            }
            if (!pause.Step(*gGameForm)) gGameForm->MainLoop();
            break;
        case 2:
            if (IsFormLoaded("frmMain") && gGameForm) {
                if (setup.beforeGameEnds) setup.beforeGameEnds(*gGameForm);
                gGameForm->Kiv_Terminate();
                ReleaseGameForm(setup);
            }
            break;
        default:
            break;
        }
        // The window's close request is the closing of the game form.
        if (platform::DoEvents()) NextGameState = 2;
        WaitForFrameDeadline(frameDeadline);
        frameDeadline = NextFrameDeadline();
    } while (GameState != 2);
}

std::string ErrorReport(const std::exception& error) {
    if (const auto* runtime = dynamic_cast<const vb::RuntimeError*>(&error)) {
        return "Run-time error '" + std::to_string(runtime->Number()) + "':\n\n" +
               runtime->Description();
    }
    return std::string("Run-time error:\n\n") + error.what();
}

} // namespace

GameForm* CurrentGameForm() {
    return gGameForm;
}

void SetCurrentGameForm(GameForm* form) {
    gGameForm = form;
}

void SetWorldGlobals(int32_t screenWidth, int32_t screenHeight) {
    ScreenWidth = screenWidth;
    ScreenHeight = screenHeight;
    CameraSnapX = 1.0;
    CameraSnapY = 1.0;
    PixelWidth = 3.0;
    PixelHeight = 6.0;
    ViewWidth = vb::RoundEven(PixelWidth * vb::Int(ScreenWidth / 3.0));
    ViewHeight = vb::RoundEven(PixelHeight * vb::Int(ScreenHeight / PixelHeight));
    CentreX = vb::Int(ViewWidth / PixelWidth / 2) * PixelWidth;
    CentreY = vb::Int(ViewHeight / PixelHeight / 2) * PixelHeight;
    Gravity = 0.02;
    ColourGreen = static_cast<int32_t>(gdi::RGB(148, 190, 57));
    ColourWhite = 0xFFFFFF;
    ValueThreshold = 0.65;
    WorldLimitX = 20500;
    GameState = 0;
    NextGameState = 1;
}

int Main(const ProgramSetup& setup) {
    platform::Host& host = platform::host();
    int status = 0;
    bool historyLoaded = false;
    std::string report; // what went wrong, for the player
    const uint64_t callerLimit = gdi::BitmapMemoryLimit();
    gdi::SetBitmapMemoryLimit(setup.bitmapMemoryBudget != 0 ? setup.bitmapMemoryBudget
                                                            : gdi::DefaultBitmapMemoryBudget());
    try {
        vb::Randomize(setup.newSeed ? setup.newSeed() : vb::ClockSeed());
        // The clock is already millisecond-accurate here: no timer period to ask for.
        kivForm = std::make_unique<kivFormType>();
        kivForm->Load();
        SetHostWindow(kivForm.get());

        SoundEnabled = false;
        SoundEnabled = BASS_Init(-1, 44100, 0, kivForm.get(), nullptr) != 0;
        if (setup.mute) SoundEnabled = false;
        GameSoundsOn = setup.sound && SoundEnabled;

        CursorPos = host.GetCursorPos();
        LastCursorPos = CursorPos;

        if (setup.screenSize == ScreenSizeMode::Desktop) {
            SetWorldGlobals(host.DesktopWidth(), host.DesktopHeight());
        } else {
            SetWorldGlobals(1024, 768);
        }
        CursorIdleFrames = kCursorIdleReset;
        StateFrames = 0;

        Keyboard = std::make_unique<clsKeyboard>();
        Keyboard->Initialize();

        gPlayingUnsaved = false;
        LoadHistory();
        if (PlayerAcceptsTheHistory()) {
            historyLoaded = true;
            RunFrameLoop(setup);
        } else {
            status = 1; // nothing played, nothing changed
        }
    } catch (const StartUpError& error) {
        report = error.what();
        status = 1;
    } catch (const std::exception& error) {
        report = ErrorReport(error);
        status = 1;
    }

    // Defeats counted in this run are kept even when the run ended in an
    // error, and saved before it is reported: a box left open is no reason
    // to lose them.
    if (historyLoaded) {
        try {
            SaveHistory();
        } catch (const std::exception& error) {
            report += (report.empty() ? "" : "\n\n") + std::string(error.what());
            status = 1;
        }
    }
    if (!report.empty()) host.MessageBox(report, kGameCaption);
    ReleaseGameForm(setup);
    if (kivForm) kivForm->Unload();
    SetHostWindow(nullptr);
    kivForm.reset();
    gdi::SetBitmapMemoryLimit(callerLimit);
    return status;
}
