// One game from its start to its stop: the world as start-up leaves it, the
// game window with the game form in it, its frames, trying again after a
// death, and the tear-down. The frame loop, the headless game of the tools
// and tests, and the replays all play through it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "app/game_form.h"

class GameSession {
  public:
    using FormFactory = std::function<std::unique_ptr<GameForm>()>;

    explicit GameSession(FormFactory newForm);
    ~GameSession();
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    // The world of a new run, as the process starts it: the globals for the
    // screen size (state 0, next 1), the camera at rest, the random source
    // seeded and a new keyboard. The history is the caller's to load.
    static void BeginRun(int32_t screenWidth, int32_t screenHeight, uint64_t seed);

    // The first playing frame: the game window, then the form created,
    // loaded and initialized, then the window shown. A start that raises (a
    // picture that cannot be loaded, a name that makes no sense) takes down
    // what it built before the error passes on.
    void Start(bool fullScreen);
    // Keyboard.Check and one MainLoop: a playing frame as the frame loop runs
    // it without pause or retry. The caller moves the host's clock.
    void Frame();
    // R after the man's death: what quitting and starting again would do, in
    // the same window. The form goes, the history is written (unless
    // `saveHistory` is false, or it fails, which is said) and read again, and
    // the run begins anew with `seed`; the next frame starts the game.
    void TryAgain(uint64_t seed, bool saveHistory);
    // The quitting state: Kiv_Terminate, then the form unloaded and the
    // window gone. The history stays in memory (SaveHistory writes it).
    void Stop();

    bool Started() const { return mForm != nullptr; }
    // The playing form; valid while Started().
    GameForm& Form() { return *mForm; }

    // For tools and tests: a game started straight into the playing state on
    // a screen of this size, with the history of the host's program folder.
    void StartPlaying(int32_t screenWidth, int32_t screenHeight, uint64_t seed);

  private:
    void ReleaseForm();

    FormFactory mNewForm;
    std::unique_ptr<GameForm> mForm;
    bool mWindowOpen = false;
};
