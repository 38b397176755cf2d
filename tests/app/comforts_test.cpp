// Pause and try again, through the real frame loop with a fake game form.
#include <gtest/gtest.h>

#include "app/comforts.h"
#include "history/history.h"
#include "support/app_harness.h"

namespace {

constexpr int kP = 0x50, kR = 0x52, kEscape = 27;

} // namespace

TEST(Comforts, PauseStopsTheGameKeepsEscapeAndPushesTheTimersBack) {
    AppRun run;
    int loopFrames = 0;
    platform::DateTime bannerBefore = 0;
    run.host.OnDoEvents = [&](platform::HeadlessHost& host) {
        ++loopFrames;
        if (loopFrames == 10) {
            bannerBefore = MonsterNameUntil;
            host.SetKey(kP, true); // read at the start of frame 11
        }
        if (loopFrames == 12) host.SetKey(kP, false);
        if (loopFrames == 60) host.SetKey(kP, true); // resume at frame 61
        if (loopFrames == 62) host.SetKey(kP, false);
        if (loopFrames == 80) host.SetKey(kP, true);      // pause again at 81
        if (loopFrames == 90) host.SetKey(kEscape, true); // and quit from the pause
        if (loopFrames > 200) host.RequestClose();
    };
    int formFrames = 0;
    run.onCreate = [&](FakeGameForm& f) { f.OnFrame = [&](int frame) { formFrames = frame; }; };
    ASSERT_EQ(run.Run(), 0);
    // Frames 1-10 ran, 11-60 were paused, 61-80 ran, then paused until Escape.
    EXPECT_EQ(formFrames, 10 + 20);
    EXPECT_EQ(loopFrames, 92); // the quitting frame ends the loop
    // The first pause lasted 50 frames of 20 ms: both timers moved on by that.
    ASSERT_NE(run.lastPushedBack, 0);
    EXPECT_NEAR(static_cast<double>(run.lastPushedBack), 1000.0, 25.0);
    EXPECT_NEAR(static_cast<double>(MonsterNameUntil - bannerBefore), 1000.0, 25.0);
    EXPECT_EQ(run.folder.Read("History.ini"), "1 First 1-2-3.gif,0\r\n");
}

// Taps shorter than a frame: pressed and released between two reads of the keyboard.
TEST(Comforts, TapsShorterThanAFramePauseResumeAndQuit) {
    AppRun run;
    int loopFrames = 0;
    run.host.OnDoEvents = [&](platform::HeadlessHost& host) {
        ++loopFrames;
        const auto tap = [&](int key) {
            host.SetKey(key, true);
            host.SetKey(key, false);
        };
        if (loopFrames == 10) tap(kP); // paused from frame 11
        if (loopFrames == 30) tap(kP); // running again from 31
        if (loopFrames == 40) tap(kP); // paused from 41
        if (loopFrames == 50) {        // a double tap within one frame changes nothing
            tap(kP);
            tap(kP);
        }
        if (loopFrames == 60) tap(kEscape); // quits from the pause
        if (loopFrames > 200) host.RequestClose();
    };
    int formFrames = 0;
    run.onCreate = [&](FakeGameForm& f) { f.OnFrame = [&](int frame) { formFrames = frame; }; };
    ASSERT_EQ(run.Run(), 0);
    EXPECT_EQ(formFrames, 10 + 10);
    EXPECT_EQ(loopFrames, 62); // as with a held Escape
}

TEST(Comforts, PausedViewShowsADimmedBandAndTheRestStays) {
    platform::HeadlessHost host;
    platform::SetHost(&host);
    host.PlaceView(0, 0, 300, 160);
    gdi::FillSolidRect(host.ViewDC(), 0, 0, 300, 160, gdi::RGB(200, 120, 80));
    DrawPausedLine(host.ViewDC(), 300, 160);
    const gdi::COLORREF dim = gdi::RGB(50, 30, 20);
    EXPECT_EQ(gdi::GetPixel(host.ViewDC(), 3, 10), gdi::RGB(200, 120, 80));  // above the band
    EXPECT_EQ(gdi::GetPixel(host.ViewDC(), 3, 150), gdi::RGB(200, 120, 80)); // below it
    EXPECT_EQ(gdi::GetPixel(host.ViewDC(), 3, 80), dim);                     // in it
    int lit = 0; // the word: light pixels in the band's middle
    for (int x = 0; x < 300; ++x) lit += (gdi::GetPixel(host.ViewDC(), x, 80) & 0xFF) > 150;
    EXPECT_GT(lit, 10);
    platform::SetHost(nullptr);
}

TEST(Comforts, RAfterDeathSavesTheHistoryAndStartsAFreshGame) {
    AppRun run;
    run.folder.Write("Monsters/2 Second 1.gif", "GIF89a");
    int created = 0, loopFrames = 0;
    std::string historyAtRetry;
    run.onCreate = [&](FakeGameForm& f) {
        ++created;
        f.OnFrame = [&, &form = f](int frame) {
            if (created == 1 && frame == 3) RecordDefeat("1 First 1-2-3.gif");
            if (created == 1 && frame == 5) form.Dead = true;
        };
    };
    run.host.OnDoEvents = [&](platform::HeadlessHost& host) {
        ++loopFrames;
        if (loopFrames == 4) host.SetKey(kR, true); // alive: R does nothing
        if (loopFrames == 5) host.SetKey(kR, false);
        if (loopFrames == 7) { // dead: a tap tries again
            host.SetKey(kR, true);
            host.SetKey(kR, false);
        }
        if (loopFrames == 9) historyAtRetry = run.folder.Read("History.ini");
        if (loopFrames == 12) host.RequestClose();
    };
    ASSERT_EQ(run.Run(), 0);
    EXPECT_EQ(created, 2);
    EXPECT_EQ(run.formsReleased, 2);
    // Written when trying again, and read again for the new game.
    EXPECT_EQ(historyAtRetry, "1 First 1-2-3.gif,1\r\n2 Second 1.gif,0\r\n");
    EXPECT_EQ(MonstersLeft, 1);
    EXPECT_EQ(run.host.WindowCreated, false); // one window, gone at the end
}
