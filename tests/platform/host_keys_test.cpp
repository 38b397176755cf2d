#include <gtest/gtest.h>

#include "platform/headless_host.h"
#include "platform/key_table.h"

namespace {

using platform::KeyTable;

TEST(HostKeyTable, PressFlipsTheToggleButRepeatDoesNot) {
    KeyTable keys;
    keys.Press(65);
    EXPECT_EQ(keys[65], 0x81);
    keys.Press(65); // auto-repeat
    EXPECT_EQ(keys[65], 0x81);
    keys.Release(65);
    EXPECT_EQ(keys[65], 0x01);
    keys.Press(65);
    EXPECT_EQ(keys[65], 0x80);
    keys.Release(65);
    keys.Release(65);
    EXPECT_EQ(keys[65], 0x00);
}

TEST(HostKeyTable, GenericModifierIsDownWhileEitherSideIs) {
    KeyTable keys;
    keys.Press(platform::vk::LShift);
    EXPECT_TRUE(keys[16] & 0x80);
    keys.Press(platform::vk::RShift);
    keys.Release(platform::vk::LShift);
    EXPECT_TRUE(keys[16] & 0x80) << "right Shift still down";
    keys.Release(platform::vk::RShift);
    EXPECT_FALSE(keys[16] & 0x80);
    // One toggle flip for the one generic press.
    EXPECT_EQ(keys[16], 0x01);

    keys.Press(platform::vk::RControl);
    EXPECT_TRUE(keys[17] & 0x80);
    keys.Press(platform::vk::LMenu);
    EXPECT_TRUE(keys[18] & 0x80);
    keys.ReleaseAll();
    uint8_t table[256];
    keys.CopyTo(table);
    for (int code = 0; code < 256; ++code) EXPECT_FALSE(table[code] & 0x80) << code;
    EXPECT_EQ(table[163], 0x01); // toggles survive losing the keyboard
}

TEST(HostHeadless, ClockReadsCostTimeAndSleepIsExact) {
    platform::HeadlessHost host;
    host.SetClockMilliseconds(100);
    EXPECT_EQ(host.TimeGetTime(), 100u);
    host.ReadCostMicros = 600;
    EXPECT_EQ(host.TimeGetTime(), 100u);
    EXPECT_EQ(host.TimeGetTime(), 100u);
    EXPECT_EQ(host.TimeGetTime(), 101u);
    host.Sleep(7);
    EXPECT_DOUBLE_EQ(host.ClockMilliseconds(), 100.001 + 1.8 + 7);
    EXPECT_EQ(host.TotalSleptMilliseconds, 7u);
    EXPECT_EQ(host.Now(), host.NowAtStart + 108);
    host.SetClockMilliseconds(0xFFFFFFFFu);
    host.AdvanceMilliseconds(2);
    EXPECT_EQ(host.TimeGetTime(), 1u); // wraps as a 32-bit value
}

TEST(HostHeadless, DoEventsRunsTheHookAndReportsACloseOnce) {
    platform::HeadlessHost host;
    int calls = 0;
    host.OnDoEvents = [&](platform::HeadlessHost& h) {
        if (++calls == 2) h.RequestClose();
    };
    EXPECT_FALSE(host.DoEvents());
    EXPECT_TRUE(host.DoEvents());
    EXPECT_FALSE(host.DoEvents());
    EXPECT_EQ(calls, 3);
}

TEST(HostHeadless, ViewKeepsItsImageAcrossPlacements) {
    platform::HeadlessHost host;
    host.CreateGameWindow("Gloamward", false);
    host.PlaceView(0, 0, 30, 12);
    gdi::HDC view = host.ViewDC();
    ASSERT_NE(view, nullptr);
    gdi::SetPixelV(view, 3, 4, 0x123456);
    host.PlaceView(1, 0, 30, 12);
    EXPECT_EQ(host.ViewDC(), view);
    EXPECT_EQ(gdi::GetPixel(view, 3, 4), 0x123456u);
    gdi::BITMAP info;
    gdi::GetObject(gdi::CurrentBitmap(view), info);
    EXPECT_EQ(info.bmWidth, 30);
    EXPECT_EQ(info.bmBitsPixel, 32);
    host.DestroyGameWindow();
    EXPECT_EQ(host.ViewDC(), nullptr);
}

} // namespace
