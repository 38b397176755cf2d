// A host without a window: a memory view, a scripted key table, a controllable
// clock and a scripted mouse. Tests, benchmarks and tools run the real game
// code frame by frame through it.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/monotonic_clock.h"
#include "platform/view_image.h"

namespace platform {

class HeadlessHost : public Host {
  public:
    explicit HeadlessHost(std::string appPath = ".");
    ~HeadlessHost() override;

    // --- scripting ---------------------------------------------------------
    // Clock in microseconds. Each TimeGetTime read advances it by ReadCost
    // (default 1 us) so that busy waits end; Sleep and SleepUntil advance it
    // exactly. UseRealClock switches to the machine's monotonic clock and real
    // sleeps (for timing the frame loop itself).
    void UseRealClock();
    std::vector<int64_t> SleepLatenessNanos; // real clock: how late each sleep woke
    void SetClockMilliseconds(uint32_t ms);
    void AdvanceMilliseconds(double ms); // simulated work
    double ClockMilliseconds() const { return mClockMicros / 1000.0; }
    uint64_t ReadCostMicros = 1;
    uint32_t TotalSleptMilliseconds = 0;
    // Now() = NowAtStart + the clock's milliseconds.
    DateTime NowAtStart = 1'800'000'000'000;

    void SetKey(int virtualKey, bool down); // a press flips bit 0, as Windows does
    void ReleaseAllKeys();
    uint8_t Keys[256] = {};

    ScreenPoint Cursor{100, 100};
    int32_t CursorDisplayCount = 0; // the Windows counter; visible while >= 0

    int32_t Desktop[2] = {1280, 1024};
    bool AudioAvailable = true;
    int32_t AudioFrequencyOpened = 0;
    // Makes the audio output; by default a PulledAudioDevice, whose blocks the
    // test asks for with PullAudio. A command-line tool may open a real one.
    std::function<std::unique_ptr<AudioDevice>(int32_t frequency)> AudioOpener;
    // Renders frames from the pulled output; silence when there is none.
    void PullAudio(int16_t* out, int32_t frames);

    void RequestClose() { mCloseRequested = true; }
    std::vector<std::string> Messages;  // every MessageBox text, in order
    std::vector<std::string> Questions; // every AskYesNo text, in order
    bool YesNoAnswer = false;           // what AskYesNo answers
    int RefreshCount = 0;
    bool WindowCreated = false, WindowShown = false, WindowFullScreen = false;
    std::string WindowCaption;
    int32_t WindowRect[4] = {}, ViewRect[4] = {};

    // Called at the start of every DoEvents (once per frame of the frame loop),
    // so a test can script keys, time or a close request frame by frame.
    std::function<void(HeadlessHost&)> OnDoEvents;

    // --- Host --------------------------------------------------------------
    uint32_t TimeGetTime() override;
    void Sleep(uint32_t milliseconds) override;
    void SleepUntil(uint32_t timeGetTime) override;
    DateTime Now() override;
    int32_t DesktopWidth() override { return Desktop[0]; }
    int32_t DesktopHeight() override { return Desktop[1]; }
    void CreateGameWindow(const std::string& caption, bool fullScreen) override;
    void PlaceGameWindow(int32_t left, int32_t top, int32_t width, int32_t height) override;
    void PlaceView(int32_t left, int32_t top, int32_t width, int32_t height) override;
    void ShowGameWindow() override { WindowShown = true; }
    void DestroyGameWindow() override;
    gdi::HDC ViewDC() override { return mView.DC(); }
    void RefreshView() override { ++RefreshCount; }
    bool DoEvents() override;
    void GetKeyboardState(uint8_t table[256]) override;
    ScreenPoint GetCursorPos() override { return Cursor; }
    int32_t ShowCursor(bool show) override;
    void MessageBox(const std::string& text, const std::string& title) override;
    bool AskYesNo(const std::string& text, const std::string& title) override;
    bool OpenAudio(int32_t frequency) override;
    AudioDevice* Audio() override { return mAudio.get(); }
    void CloseAudio() override { mAudio.reset(); }
    std::string AppPath() override { return mAppPath; }

  private:
    std::string mAppPath;
    uint64_t mClockMicros = 0;
    std::unique_ptr<MonotonicClock> mRealClock;
    bool mCloseRequested = false;
    ViewImage mView;
    std::unique_ptr<AudioDevice> mAudio;
};

} // namespace platform
