// The services of the window system that the game runs on, behind one
// interface: a backend's real window for play (platform_sdl/), and a headless
// host with a memory view, a scripted key table and a controllable clock for
// tests, benchmarks and tools.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "gdi/raster.h"
#include "platform/audio_device.h"
#include "platform/controls.h"

namespace platform {

struct ScreenPoint {
    int32_t x = 0, y = 0;
};

// Date-time as milliseconds since the Unix epoch, local time is not needed:
// the game only adds seconds and compares.
using DateTime = int64_t;
constexpr DateTime kMillisecondsPerDay = 86'400'000;
inline DateTime AddSeconds(DateTime t, double seconds) {
    return t + static_cast<DateTime>(seconds * 1000.0);
}

class Host {
  public:
    virtual ~Host() = default;

    // Clock: timeGetTime (milliseconds, wraps as a 32-bit value), Sleep, Now.
    virtual uint32_t TimeGetTime() = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;
    // Sleeps until TimeGetTime reads the given value (the frame deadline).
    virtual void SleepUntil(uint32_t timeGetTime) = 0;
    virtual DateTime Now() = 0;

    // Desktop size in pixels (the full-screen build reads it).
    virtual int32_t DesktopWidth() = 0;
    virtual int32_t DesktopHeight() = 0;

    // The game window: created hidden with its caption; Show makes it visible.
    // Placement: the window covers (left, top, width, height) of the screen;
    // the view is a width x height area at (viewLeft, viewTop) inside it.
    virtual void CreateGameWindow(const std::string& caption, bool fullScreen) = 0;
    virtual void PlaceGameWindow(int32_t left, int32_t top, int32_t width, int32_t height) = 0;
    virtual void PlaceView(int32_t left, int32_t top, int32_t width, int32_t height) = 0;
    virtual void ShowGameWindow() = 0;
    virtual void DestroyGameWindow() = 0;
    // The view's persistent image: a memory context with a colour bitmap of the
    // view's size selected. Valid from PlaceView to DestroyGameWindow.
    virtual gdi::HDC ViewDC() = 0;
    // Puts the view's image on the screen: one upload and present, no vsync.
    virtual void RefreshView() = 0;

    // Lets pending window messages run. Returns true when the user asked to
    // close the game window since the last call.
    virtual bool DoEvents() = 0;

    // GetKeyboardState: 256 bytes by Windows virtual-key code; bit 7 down, bit 0
    // toggled on every press (not on auto-repeat).
    virtual void GetKeyboardState(uint8_t table[256]) = 0;

    // GetCursorPos and ShowCursor with the Windows display counter: the cursor
    // shows while the counter is >= 0; each call returns the new counter.
    virtual ScreenPoint GetCursorPos() = 0;
    virtual int32_t ShowCursor(bool show) = 0;

    // A modal message box with an OK button (stderr when headless).
    virtual void MessageBox(const std::string& text, const std::string& title) = 0;
    // A modal question with Yes and No buttons: true for Yes. When no box can
    // be shown the question goes to stderr and the answer is No.
    virtual bool AskYesNo(const std::string& text, const std::string& title) = 0;

    // Opens the default audio output at the given rate; false when there is
    // none. Audio() is the open output (nullptr before, or without one);
    // CloseAudio closes it.
    virtual bool OpenAudio(int32_t frequency) = 0;
    virtual AudioDevice* Audio() = 0;
    virtual void CloseAudio() = 0;

    // The program folder: the folder of the executable, without a trailing '/'.
    virtual std::string AppPath() = 0;

    // What the options screen changes in a real window while the game runs;
    // a host without one keeps only what it was told. Full screen or the
    // real window (false); a view smaller or larger than the window scaled
    // smoothly to fit it, or by the largest whole factor; the inputs the
    // keys and pads stand for, with whatever was held let go.
    virtual void SetFullScreen(bool fullScreen) { mFullScreenAsked = fullScreen; }
    virtual bool FullScreen() { return mFullScreenAsked; }
    virtual void SetSmoothScaling(bool smooth) { mSmoothAsked = smooth; }
    virtual void UseControls(const ControlMap& controls) { mControlsAsked = controls; }

    // What was asked last, for hosts without a window and their tests.
    bool SmoothScalingAsked() const { return mSmoothAsked; }
    const ControlMap& ControlsAsked() const { return mControlsAsked; }

  private:
    bool mFullScreenAsked = false, mSmoothAsked = false;
    ControlMap mControlsAsked = ControlMap::Defaults();
};

// The host the program runs on. Set once at start-up (or by a test).
Host& host();
void SetHost(Host* host);

} // namespace platform
