// Comforts shown over the view as it reaches the window, and taken away again
// before the game draws on: a notice for a moment (F12's screenshot says
// where it went), and with F3 the frame's drawing time and the frames that
// started late in the last second. The game reads its view back (the man's
// collisions), so the view the game keeps never holds them. Live play only:
// a replay shows exactly what was recorded.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/view_marks.h"
#include "gdi/picture.h"
#include "platform/forwarding_host.h"

class ViewOverlayHost final : public platform::ForwardingHost {
  public:
    // Given the view's pixels when F12 goes down; returns what to say.
    using Screenshot = std::function<std::string(const gdi::Picture&)>;
    using Clock = std::chrono::steady_clock;

    ViewOverlayHost(platform::Host& inner, Screenshot screenshot);

    // The game reads the keyboard once, at the start of each frame.
    void GetKeyboardState(uint8_t table[256]) override;
    // The frame is drawn: shown with the overlay, then the view as it was.
    void RefreshView() override;

    // The game's own marks over the view (the options screen, the man's
    // marker, the timer), drawn before the panel.
    std::function<void(ViewMarks&)> drawOver;

    // For tests: the time of the frame's start and end, instead of the clock's.
    std::function<Clock::time_point()> now = [] { return Clock::now(); };
    // Shown for this long after the thing it tells of.
    static constexpr std::chrono::milliseconds kNoticeTime{1000};
    // A frame starting more than this after the one before is late.
    static constexpr std::chrono::milliseconds kLateAfter{25};

    // What is over the view now, line by line (tests read it).
    std::vector<std::string> OverlayLines() const;

  private:
    Screenshot mScreenshot;
    bool mF3Down = false, mF12Down = false;
    bool mShowTimes = false;
    bool mScreenshotAsked = false;
    std::string mNotice;
    Clock::time_point mNoticeUntil{};
    Clock::time_point mFrameStart{};
    std::deque<Clock::time_point> mStarts; // of the frames in the last second
    Clock::duration mDrawing{};
};
