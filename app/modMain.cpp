// Start-up, the frame loop and the end of the program.
#include "app/modMain.h"

#include <exception>

#include "app/comforts.h"
#include "app/cursor.h"
#include "app/frame_pacing.h"
#include "app/kivForm.h"
#include "audio/bass.h"
#include "gdi/raster.h"
#include "gfx/modGraphic.h"
#include "history/history.h"
#include "input/clsKeyboard.h"
#include "platform/forms.h"
#include "vb/numeric.h"
#include "vb/random.h"
#include "vb/runtime_error.h"

namespace {

constexpr int32_t kStateFramesCap = 30000;
// The player chose to play on with a history that cannot be saved.
bool gPlayingUnsaved = false;

uint64_t NewSeed(const ProgramSetup& setup) {
    return setup.newSeed ? setup.newSeed() : vb::ClockSeed();
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

void RunFrameLoop(const ProgramSetup& setup, GameSession& session) {
    int32_t frameDeadline = 0;
    int64_t frame = 0;
    PauseControl pause;
    PlayerComforts* comforts = setup.comforts;
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
                session.Start(setup.screenSize == ScreenSizeMode::Desktop);
                HideMouseCursor();
                pause.Reset();
                if (comforts) comforts->NewGame();
            }
            if (comforts && comforts->Step(session.Form(), pause.Paused())) break;
            if (WantsToTryAgain(session.Form())) {
                session.TryAgain(NewSeed(setup), !gPlayingUnsaved);
                break;
            }
            if (!pause.Step(session.Form())) {
                session.Form().MainLoop();
                if (comforts) comforts->AfterFrame(session.Form());
            }
            break;
        case 2:
            if (session.Started() && session.Form().Loaded()) {
                if (setup.beforeGameEnds) setup.beforeGameEnds(session.Form());
                session.Stop();
            }
            break;
        default:
            break;
        }
        // The window's close request is the closing of the game form.
        if (platform::DoEvents()) NextGameState = 2;
        if (setup.afterFrame) setup.afterFrame(++frame);
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
    GameSession session(setup.newGameForm);
    if (setup.comforts) setup.comforts->Attach(&session);
    try {
        const uint64_t seed = NewSeed(setup);
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
            GameSession::BeginRun(host.DesktopWidth(), host.DesktopHeight(), seed);
        } else {
            GameSession::BeginRun(1024, 768, seed);
        }
        CursorIdleFrames = kCursorIdleReset;

        gPlayingUnsaved = false;
        LoadHistory();
        if (PlayerAcceptsTheHistory()) {
            historyLoaded = true;
            RunFrameLoop(setup, session);
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
    if (setup.comforts) {
        if (historyLoaded) setup.comforts->Save();
        setup.comforts->Attach(nullptr);
    }
    if (!report.empty()) host.MessageBox(report, kGameCaption);
    session.Stop();
    if (kivForm) kivForm->Unload();
    SetHostWindow(nullptr);
    kivForm.reset();
    gdi::SetBitmapMemoryLimit(callerLimit);
    return status;
}
