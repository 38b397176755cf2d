#include <gtest/gtest.h>

#include <unistd.h>

#include "app/cursor.h"
#include "app/frame_pacing.h"
#include "app/kivForm.h"
#include "input/clsKeyboard.h"
#include "support/app_harness.h"
#include "support/child_run.h"

namespace {

std::vector<double> Gaps(const std::vector<double>& starts) {
    std::vector<double> gaps;
    for (size_t i = 1; i < starts.size(); ++i) gaps.push_back(starts[i] - starts[i - 1]);
    return gaps;
}

TEST(FramePacing, ShortFramesStartTwentyMillisecondsApart) {
    AppRun run;
    std::vector<double> starts;
    run.QuitAfter(50, [&](FakeGameForm& f, int) {
        run.host.AdvanceMilliseconds(3);
        starts = f.FrameStarts;
    });
    ASSERT_EQ(run.Run(), 0);
    ASSERT_EQ(starts.size(), 50u);
    // The first frame does not wait; from then on every start is 20 ms after the
    // previous one (less the part of a millisecond the clock does not show).
    auto gaps = Gaps(starts);
    EXPECT_LT(gaps[0], 4.0);
    for (size_t i = 1; i < gaps.size(); ++i) {
        EXPECT_GT(gaps[i], 19.0) << "frame " << i + 2;
        EXPECT_LT(gaps[i], 20.2) << "frame " << i + 2;
    }
    EXPECT_NEAR((starts.back() - starts[1]) / 48.0, 20.0, 0.05);
    // Each wait is one sleep: 17 ms after 3 ms of work.
    EXPECT_GE(run.host.TotalSleptMilliseconds, 49u * 16u);
}

TEST(FramePacing, SlowFramesFollowAtOnceWithoutCatchUp) {
    AppRun run;
    std::vector<double> starts;
    run.QuitAfter(40, [&](FakeGameForm& f, int frame) {
        // Ten slow frames, then quick ones: the quick ones must not come faster.
        run.host.AdvanceMilliseconds(frame <= 10 ? 30 : 1);
        starts = f.FrameStarts;
    });
    ASSERT_EQ(run.Run(), 0);
    const auto gaps = Gaps(starts);
    ASSERT_EQ(gaps.size(), 39u);
    for (size_t i = 0; i < 10; ++i) {
        EXPECT_GE(gaps[i], 30.0) << "frame " << i + 2;
        EXPECT_LT(gaps[i], 30.2) << "frame " << i + 2;
    }
    // The time lost is not made up: quick frames never come closer than 20 ms.
    for (size_t i = 10; i < gaps.size(); ++i) {
        EXPECT_GT(gaps[i], 19.0) << "frame " << i + 2;
        EXPECT_LT(gaps[i], 20.2) << "frame " << i + 2;
    }
    EXPECT_NEAR((starts.back() - starts[10]) / 29.0, 20.0, 0.05);
}

class PacingWait : public ::testing::Test {
  protected:
    platform::HeadlessHost host;
    void SetUp() override { platform::SetHost(&host); }
    void TearDown() override { platform::SetHost(nullptr); }
};

TEST_F(PacingWait, SleepsToTheDeadlineWithoutSpinning) {
    for (const int32_t ahead : {1, 5, 6, 20, 29}) {
        host.SetClockMilliseconds(1000);
        host.TotalSleptMilliseconds = 0;
        WaitForFrameDeadline(1000 + ahead);
        EXPECT_EQ(host.TotalSleptMilliseconds, static_cast<uint32_t>(ahead)) << ahead;
        // A handful of clock reads of 1 us each, not thousands of them.
        EXPECT_GE(host.ClockMilliseconds(), 1000.0 + ahead) << ahead;
        EXPECT_LT(host.ClockMilliseconds(), 1000.0 + ahead + 0.01) << ahead;
    }
}

TEST_F(PacingWait, DeadlineThirtyOrMoreAheadIsAbandoned) {
    host.SetClockMilliseconds(1000);
    WaitForFrameDeadline(1030);
    EXPECT_EQ(host.TotalSleptMilliseconds, 0u);
    EXPECT_LT(host.ClockMilliseconds(), 1000.1);

    WaitForFrameDeadline(1029);
    EXPECT_GE(host.ClockMilliseconds(), 1029.0);
}

TEST_F(PacingWait, PassedDeadlineDoesNotWait) {
    host.SetClockMilliseconds(5000);
    WaitForFrameDeadline(4990);
    WaitForFrameDeadline(0); // the first frame
    EXPECT_LT(host.ClockMilliseconds(), 5000.1);
    EXPECT_EQ(host.TotalSleptMilliseconds, 0u);
}

TEST_F(PacingWait, ASlowFrameAcrossTheSignedTurnOfTheClockDoesNotHang) {
    // The deadline just before the clock turns negative, the frame's work
    // taking it past: the wait must end, not spin until the clock comes round.
    const int status = RunInChild([&] {
        alarm(10);
        host.SetClockMilliseconds(0x7FFFFFE0u);
        const int32_t deadline = NextFrameDeadline();
        host.AdvanceMilliseconds(40);
        WaitForFrameDeadline(deadline);
        return host.TimeGetTime() < 0x80000010u ? 0 : 1;
    });
    EXPECT_EQ(status, 0) << "128 + 14: it still waited after 10 s";
}

TEST_F(PacingWait, WaitsAcrossTheClockWrap) {
    host.SetClockMilliseconds(0xFFFFFFF6u); // 10 ms before the wrap
    const int32_t deadline = NextFrameDeadline();
    EXPECT_EQ(deadline, 10);
    WaitForFrameDeadline(deadline);
    EXPECT_GE(host.TimeGetTime(), 10u);
    EXPECT_LT(host.TimeGetTime(), 12u);
}

TEST(FrameLoop, StateFramesCountsFromOneAndStopsAtThirtyThousand) {
    AppRun run;
    int32_t last = 0, highest = 0;
    run.QuitAfter(30010, [&](FakeGameForm& f, int) {
        last = StateFrames;
        highest = std::max(highest, StateFrames);
        if (f.StateFramesSeen.size() == 3) {
            EXPECT_EQ(f.StateFramesSeen[0], 1);
            EXPECT_EQ(f.StateFramesSeen[2], 3);
        }
    });
    ASSERT_EQ(run.Run(), 0);
    EXPECT_EQ(last, 30000);
    EXPECT_EQ(highest, 30000);
    // The quitting state restarted the count.
    EXPECT_EQ(GameState, 2);
    EXPECT_EQ(StateFrames, 1);
}

TEST(FrameLoop, GameIsSetUpOnceShownAndTornDownOnQuit) {
    AppRun run;
    int initializedAtFirstFrame = -1;
    bool shownAtFirstFrame = false;
    run.QuitAfter(5, [&](FakeGameForm& f, int frame) {
        if (frame == 1) {
            initializedAtFirstFrame = f.Initialized;
            shownAtFirstFrame = run.host.WindowShown;
        }
    });
    ASSERT_EQ(run.Run(), 0);
    EXPECT_EQ(initializedAtFirstFrame, 1);
    EXPECT_TRUE(shownAtFirstFrame);
    EXPECT_EQ(run.host.WindowCaption, "Gloamward");
    EXPECT_FALSE(run.host.WindowFullScreen);
    EXPECT_EQ(run.formsReleased, 1);
    EXPECT_EQ(run.form, nullptr);
    // kivForm is gone too: no form is left.
    EXPECT_TRUE(platform::Forms().empty());
    EXPECT_EQ(kivForm, nullptr);
}

TEST(FrameLoop, ClosingTheWindowQuitsLikeEscape) {
    AppRun run;
    int frames = 0;
    run.onCreate = [&](FakeGameForm& f) { f.OnFrame = [&](int n) { frames = n; }; };
    run.host.OnDoEvents = [&](platform::HeadlessHost& h) {
        if (frames == 7) h.RequestClose();
    };
    ASSERT_EQ(run.Run(), 0);
    EXPECT_EQ(frames, 7);
    EXPECT_EQ(run.formsReleased, 1);
    EXPECT_NE(run.folder.Read("History.ini"), "");
}

TEST(FrameLoop, WindowedWorldGlobals) {
    AppRun run;
    run.QuitAfter(1);
    ASSERT_EQ(run.Run(), 0);
    EXPECT_EQ(ScreenWidth, 1024);
    EXPECT_EQ(ScreenHeight, 768);
    EXPECT_EQ(ViewWidth, 1023);
    EXPECT_EQ(ViewHeight, 768);
    EXPECT_EQ(CentreX, 510.0);
    EXPECT_EQ(CentreY, 384.0);
    EXPECT_EQ(PixelWidth, 3.0);
    EXPECT_EQ(PixelHeight, 6.0);
    EXPECT_EQ(Gravity, 0.02);
    EXPECT_EQ(ValueThreshold, 0.65);
    EXPECT_EQ(WorldLimitX, 20500);
    EXPECT_EQ(ColourGreen, 148 + 190 * 256 + 57 * 65536);
    EXPECT_EQ(ColourWhite, 0xFFFFFF);
    EXPECT_EQ(CameraSnapX, 1.0);
    EXPECT_EQ(CameraSnapY, 1.0);
}

TEST(FrameLoop, FullScreenUsesTheDesktopSize) {
    AppRun run;
    run.host.Desktop[0] = 1280;
    run.host.Desktop[1] = 1024;
    run.QuitAfter(1);
    ASSERT_EQ(run.Run(ScreenSizeMode::Desktop), 0);
    EXPECT_EQ(ScreenWidth, 1280);
    EXPECT_EQ(ScreenHeight, 1024);
    EXPECT_EQ(ViewWidth, 1278);
    EXPECT_EQ(ViewHeight, 1020);
    EXPECT_EQ(CentreX, 639.0);
    EXPECT_EQ(CentreY, 510.0);
    EXPECT_TRUE(run.host.WindowFullScreen);
}

TEST(FrameLoop, AudioDeviceDecidesSoundEnabled) {
    {
        AppRun run;
        run.QuitAfter(1);
        ASSERT_EQ(run.Run(), 0);
        EXPECT_TRUE(SoundEnabled);
        EXPECT_EQ(run.host.AudioFrequencyOpened, 44100);
    }
    {
        AppRun run;
        run.host.AudioAvailable = false;
        run.QuitAfter(1);
        ASSERT_EQ(run.Run(), 0);
        EXPECT_FALSE(SoundEnabled);
        EXPECT_TRUE(run.host.Messages.empty()); // a silent game, no message
    }
}

TEST(FrameLoop, KeyboardIsSampledOncePerFrameBeforeTheGame) {
    AppRun run;
    std::vector<bool> escapeDown;
    run.QuitAfter(4, [&](FakeGameForm&, int) { escapeDown.push_back(Keyboard->KeyDown(27)); });
    run.host.OnDoEvents = [&](platform::HeadlessHost& h) {
        if (escapeDown.size() == 1) h.SetKey(27, true);
    };
    ASSERT_EQ(run.Run(), 0);
    EXPECT_EQ(escapeDown, (std::vector<bool>{false, true, false, false}));
}

// --- cursor ------------------------------------------------------------------

class Cursor : public ::testing::Test {
  protected:
    platform::HeadlessHost host;
    void SetUp() override {
        platform::SetHost(&host);
        host.Cursor = {200, 300};
        LastCursorPos = host.Cursor;
        CursorHidden = false;
        CursorIdleFrames = kCursorIdleReset;
    }
    void TearDown() override { platform::SetHost(nullptr); }
};

TEST_F(Cursor, HiddenOnTheHundredAndFiftyFirstRestingFrame) {
    for (int frame = 1; frame <= 150; ++frame) {
        CursorStep();
        ASSERT_FALSE(CursorHidden) << "frame " << frame;
    }
    CursorStep();
    EXPECT_TRUE(CursorHidden);
    EXPECT_LT(host.CursorDisplayCount, 0);
}

TEST_F(Cursor, MovementOnOneAxisShowsItAgain) {
    for (int frame = 1; frame <= 151; ++frame) CursorStep();
    ASSERT_TRUE(CursorHidden);
    host.Cursor.y += 1;
    CursorStep();
    EXPECT_FALSE(CursorHidden);
    EXPECT_GT(host.CursorDisplayCount, 0);
    EXPECT_EQ(CursorIdleFrames, 150);

    for (int frame = 1; frame <= 151; ++frame) CursorStep();
    ASSERT_TRUE(CursorHidden);
    host.Cursor.x -= 1;
    CursorStep();
    EXPECT_FALSE(CursorHidden);
}

TEST_F(Cursor, MovementRestartsTheIdleCount) {
    for (int frame = 1; frame <= 100; ++frame) CursorStep();
    host.Cursor.x += 5;
    CursorStep();
    for (int frame = 1; frame <= 150; ++frame) CursorStep();
    EXPECT_FALSE(CursorHidden);
    CursorStep();
    EXPECT_TRUE(CursorHidden);
}

TEST_F(Cursor, DisplayCountAfterRepeatedHidesAndOneShow) {
    host.CursorDisplayCount = 3;
    HideMouseCursor();
    EXPECT_EQ(host.CursorDisplayCount, -1);
    HideMouseCursor();
    HideMouseCursor();
    EXPECT_EQ(host.CursorDisplayCount, -3);
    ShowMouseCursor();
    EXPECT_EQ(host.CursorDisplayCount, 1);
    EXPECT_FALSE(CursorHidden);

    host.CursorDisplayCount = -40;
    ShowMouseCursor();
    EXPECT_EQ(host.CursorDisplayCount, 1);
    host.CursorDisplayCount = 9;
    ShowMouseCursor(); // at least one call, even when already shown
    EXPECT_EQ(host.CursorDisplayCount, 10);
}

TEST(CursorInPlay, HiddenWhenTheGameStartsUntilTheMouseMoves) {
    AppRun run;
    std::vector<bool> hidden;
    run.QuitAfter(5, [&](FakeGameForm&, int frame) {
        hidden.push_back(CursorHidden);
        if (frame == 3) run.host.Cursor.x += 10;
    });
    ASSERT_EQ(run.Run(), 0);
    EXPECT_EQ(hidden, (std::vector<bool>{true, true, true, false, false}));
}

// --- host form -----------------------------------------------------------------

TEST(HostForm, IsFormLoadedComparesNamesExactly) {
    platform::HeadlessHost host;
    platform::SetHost(&host);
    platform::Form form("frmMain");
    EXPECT_FALSE(IsFormLoaded("frmMain"));
    form.Load();
    EXPECT_TRUE(IsFormLoaded("frmMain"));
    EXPECT_FALSE(IsFormLoaded("FRMMAIN"));
    EXPECT_FALSE(IsFormLoaded("frmmain"));
    form.Unload();
    EXPECT_FALSE(IsFormLoaded("frmMain"));
    platform::SetHost(nullptr);
}

TEST(HostForm, TimerUnloadsItOnlyWhenItIsTheLastForm) {
    platform::HeadlessHost host;
    platform::SetHost(&host);
    kivFormType hostForm;
    platform::Form other("frmMain");
    hostForm.Load();
    other.Load();
    host.AdvanceMilliseconds(1000);
    platform::DoEvents();
    EXPECT_TRUE(hostForm.Loaded());

    other.Unload();
    host.AdvanceMilliseconds(999);
    platform::DoEvents();
    EXPECT_TRUE(hostForm.Loaded()) << "the timer ticks once a second";
    host.AdvanceMilliseconds(1000);
    platform::DoEvents();
    EXPECT_FALSE(hostForm.Loaded());
    EXPECT_FALSE(IsFormLoaded("kivForm"));
    platform::SetHost(nullptr);
}

} // namespace
