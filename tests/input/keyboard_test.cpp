#include <gtest/gtest.h>

#include "input/clsKeyboard.h"
#include "platform/headless_host.h"

namespace {

class Keyboard : public ::testing::Test {
  protected:
    platform::HeadlessHost host;
    clsKeyboard keys;
    void SetUp() override {
        platform::SetHost(&host);
        keys.Initialize();
    }
    void TearDown() override { platform::SetHost(nullptr); }

    // The key goes down (or up) on the table, then the next frame samples it.
    void Press(int code) {
        host.SetKey(code, true);
        keys.Check();
    }
    void Release(int code) {
        host.SetKey(code, false);
        keys.Check();
    }
    // KeyDown, KeyHold and KeyUp of one key, in that order.
    void ExpectEdges(int code, bool down, bool hold, bool up) {
        EXPECT_EQ(keys.KeyDown(code), down) << code;
        EXPECT_EQ(keys.KeyHold(code), hold) << code;
        EXPECT_EQ(keys.KeyUp(code), up) << code;
    }
};

TEST_F(Keyboard, HeldKeyIsDownInTheFirstFrameOnlyAndUpInTheFrameAfterRelease) {
    Press(90);
    ExpectEdges(90, true, true, false);
    for (int frame = 0; frame < 3; ++frame) {
        keys.Check();
        ExpectEdges(90, false, true, false);
    }
    Release(90);
    ExpectEdges(90, false, false, true);
    keys.Check();
    EXPECT_FALSE(keys.KeyUp(90));
}

TEST_F(Keyboard, TapBetweenTwoChecksLeavesOnlyTheToggleChange) {
    host.SetKey(27, true);
    Release(27);
    // The toggle bit flipped, so the byte differs while the key is up.
    ExpectEdges(27, false, false, true);

    // Two taps flip the toggle back: no trace at all.
    keys.Check();
    host.SetKey(27, true);
    host.SetKey(27, false);
    host.SetKey(27, true);
    Release(27);
    ExpectEdges(27, false, false, false);
}

TEST_F(Keyboard, ToggleChangeWhileHeldReportsKeyDownAgain) {
    Press(37);
    ASSERT_TRUE(keys.KeyDown(37));
    // Released and pressed again between two checks: still down, toggle flipped.
    host.SetKey(37, false);
    Press(37);
    EXPECT_TRUE(keys.KeyDown(37));
    EXPECT_TRUE(keys.KeyHold(37));
}

TEST_F(Keyboard, AutoRepeatChangesNothing) {
    Press(32);
    Press(32); // repeat
    EXPECT_FALSE(keys.KeyDown(32));
    EXPECT_TRUE(keys.KeyHold(32));
}

TEST_F(Keyboard, AnyKeyLooksAtCodesUpTo192Only) {
    Press(219);
    EXPECT_TRUE(keys.KeyDown(219));
    EXPECT_FALSE(keys.AnyKey());

    Press(192);
    EXPECT_TRUE(keys.AnyKey());
    keys.Check(); // still held: no new press
    EXPECT_FALSE(keys.AnyKey());
    Press(0);
    EXPECT_TRUE(keys.AnyKey());
}

TEST_F(Keyboard, KeyHeldAtStartUpIsNotNewOnTheFirstFrame) {
    clsKeyboard fresh;
    host.SetKey(70, true);
    fresh.Initialize(); // reads the table once, against cleared tables
    EXPECT_EQ(fresh.OldState().size(), 256u);
    EXPECT_TRUE(fresh.KeyDown(70));
    fresh.Check();
    EXPECT_EQ(fresh.OldState().size(), 256u);
    EXPECT_TRUE(fresh.KeyHold(70));
    EXPECT_FALSE(fresh.KeyDown(70));
}

TEST_F(Keyboard, CodeIsReducedToItsLowByte) {
    Press(65);
    EXPECT_TRUE(keys.KeyHold(65 + 256));
    EXPECT_TRUE(keys.KeyDown(65 - 256));
    // Code 255 lies beyond the table made by Initialize: it reads as up.
    clsKeyboard fresh;
    fresh.Initialize();
    EXPECT_FALSE(fresh.KeyUp(255));
}

TEST_F(Keyboard, AnswersDoNotChangeWithinAFrame) {
    Press(67);
    EXPECT_TRUE(keys.KeyDown(67));
    host.SetKey(67, false); // the table changes, the snapshot does not
    EXPECT_TRUE(keys.KeyDown(67));
    EXPECT_TRUE(keys.KeyHold(67));
    EXPECT_TRUE(keys.AnyKey());
    EXPECT_TRUE(keys.AnyKey());
}

} // namespace
