// Runs the real Main on a headless host with a fake game form, in a temporary
// program folder.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/modMain.h"
#include "platform/forms.h"
#include "platform/headless_host.h"
#include "support/temp_dir.h"

// A game form that records its frames; the test decides what each frame does.
class FakeGameForm : public GameForm {
  public:
    FakeGameForm(platform::HeadlessHost& host, std::function<void(FakeGameForm&)> onRelease)
        : GameForm("frmMain"), mHost(host), mOnRelease(std::move(onRelease)) {}
    ~FakeGameForm() override {
        if (mOnRelease) mOnRelease(*this);
    }

    void Kiv_Initialize() override { ++Initialized; }
    void Kiv_Terminate() override { ++Terminated; }
    void MainLoop() override {
        FrameStarts.push_back(mHost.ClockMilliseconds());
        StateFramesSeen.push_back(StateFrames);
        if (OnFrame) OnFrame(static_cast<int>(FrameStarts.size()));
    }
    bool ManIsDead() const override { return Dead; }
    void PushBackTimers(int64_t milliseconds) override { PushedBack += milliseconds; }

    bool Dead = false;
    int64_t PushedBack = 0;

    int Initialized = 0, Terminated = 0;
    std::vector<double> FrameStarts;
    std::vector<int32_t> StateFramesSeen;
    // Called with the 1-based frame number at every MainLoop.
    std::function<void(int)> OnFrame;

  private:
    platform::HeadlessHost& mHost;
    std::function<void(FakeGameForm&)> mOnRelease;
};

struct AppRun {
    TempDir folder;
    platform::HeadlessHost host{folder.str()};
    FakeGameForm* form = nullptr; // valid while the game runs
    int formsReleased = 0;
    int64_t lastPushedBack = 0; // of the form released last
    std::function<void(FakeGameForm&)> onCreate;

    AppRun() {
        folder.Write("Monsters/1 First 1-2-3.gif", "GIF89a");
        platform::SetHost(&host);
    }
    ~AppRun() { platform::SetHost(nullptr); }

    int Run(ScreenSizeMode mode = ScreenSizeMode::Windowed1024x768) { return Main(Setup(mode)); }

    // Main's setup with the fake form, for the callers of Main's own callers.
    ProgramSetup Setup(ScreenSizeMode mode = ScreenSizeMode::Windowed1024x768) {
        ProgramSetup setup;
        setup.screenSize = mode;
        setup.newGameForm = [this]() -> std::unique_ptr<GameForm> {
            auto made = std::make_unique<FakeGameForm>(host, [this](FakeGameForm& released) {
                lastPushedBack = released.PushedBack;
                form = nullptr;
                ++formsReleased;
            });
            form = made.get();
            if (onCreate) onCreate(*form);
            return made;
        };
        return setup;
    }

    // Quit (as the Escape test does) at the end of frame n.
    void QuitAfter(int frames, std::function<void(FakeGameForm&, int)> each = nullptr) {
        onCreate = [frames, each](FakeGameForm& f) {
            f.OnFrame = [frames, each, &f](int frame) {
                if (each) each(f, frame);
                if (frame >= frames) NextGameState = 2;
            };
        };
    }
};
