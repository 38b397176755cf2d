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
};

TEST_F(Keyboard, HeldKeyIsDownInTheFirstFrameOnlyAndUpInTheFrameAfterRelease) {
    host.SetKey(90, true);
    keys.Check();
    EXPECT_TRUE(keys.KeyDown(90));
    EXPECT_TRUE(keys.KeyHold(90));
    EXPECT_FALSE(keys.KeyUp(90));
    for (int frame = 0; frame < 3; ++frame) {
        keys.Check();
        EXPECT_FALSE(keys.KeyDown(90));
        EXPECT_TRUE(keys.KeyHold(90));
        EXPECT_FALSE(keys.KeyUp(90));
    }
    host.SetKey(90, false);
    keys.Check();
    EXPECT_TRUE(keys.KeyUp(90));
    EXPECT_FALSE(keys.KeyHold(90));
    EXPECT_FALSE(keys.KeyDown(90));
    keys.Check();
    EXPECT_FALSE(keys.KeyUp(90));
}

TEST_F(Keyboard, TapBetweenTwoChecksLeavesOnlyTheToggleChange) {
    host.SetKey(27, true);
    host.SetKey(27, false);
    keys.Check();
    EXPECT_FALSE(keys.KeyDown(27));
    EXPECT_FALSE(keys.KeyHold(27));
    // The toggle bit flipped, so the byte differs while the key is up.
    EXPECT_TRUE(keys.KeyUp(27));

    // Two taps flip the toggle back: no trace at all.
    keys.Check();
    host.SetKey(27, true);
    host.SetKey(27, false);
    host.SetKey(27, true);
    host.SetKey(27, false);
    keys.Check();
    EXPECT_FALSE(keys.KeyDown(27));
    EXPECT_FALSE(keys.KeyUp(27));
    EXPECT_FALSE(keys.KeyHold(27));
}

TEST_F(Keyboard, ToggleChangeWhileHeldReportsKeyDownAgain) {
    host.SetKey(37, true);
    keys.Check();
    ASSERT_TRUE(keys.KeyDown(37));
    // Released and pressed again between two checks: still down, toggle flipped.
    host.SetKey(37, false);
    host.SetKey(37, true);
    keys.Check();
    EXPECT_TRUE(keys.KeyDown(37));
    EXPECT_TRUE(keys.KeyHold(37));
}

TEST_F(Keyboard, AutoRepeatChangesNothing) {
    host.SetKey(32, true);
    keys.Check();
    host.SetKey(32, true); // repeat
    keys.Check();
    EXPECT_FALSE(keys.KeyDown(32));
    EXPECT_TRUE(keys.KeyHold(32));
}

TEST_F(Keyboard, AnyKeyLooksAtCodesUpTo192Only) {
    host.SetKey(219, true);
    keys.Check();
    EXPECT_TRUE(keys.KeyDown(219));
    EXPECT_FALSE(keys.AnyKey());

    host.SetKey(192, true);
    keys.Check();
    EXPECT_TRUE(keys.AnyKey());
    keys.Check(); // still held: no new press
    EXPECT_FALSE(keys.AnyKey());
    host.SetKey(0, true);
    keys.Check();
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
    host.SetKey(65, true);
    keys.Check();
    EXPECT_TRUE(keys.KeyHold(65 + 256));
    EXPECT_TRUE(keys.KeyDown(65 - 256));
    // Code 255 lies beyond the table made by Initialize: it reads as up.
    clsKeyboard fresh;
    fresh.Initialize();
    EXPECT_FALSE(fresh.KeyUp(255));
}

TEST_F(Keyboard, AnswersDoNotChangeWithinAFrame) {
    host.SetKey(67, true);
    keys.Check();
    EXPECT_TRUE(keys.KeyDown(67));
    host.SetKey(67, false); // the table changes, the snapshot does not
    EXPECT_TRUE(keys.KeyDown(67));
    EXPECT_TRUE(keys.KeyHold(67));
    EXPECT_TRUE(keys.AnyKey());
    EXPECT_TRUE(keys.AnyKey());
}

} // namespace
