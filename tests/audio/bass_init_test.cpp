#include <gtest/gtest.h>

#include "audio/bass.h"
#include "platform/headless_host.h"

namespace {

TEST(BassInit, OpensTheDefaultDeviceAtTheGivenRate) {
    platform::HeadlessHost host;
    platform::SetHost(&host);
    EXPECT_NE(BASS_Init(-1, 44100, 0, nullptr, nullptr), 0);
    EXPECT_EQ(host.AudioFrequencyOpened, 44100);
    ASSERT_NE(host.Audio(), nullptr);
    EXPECT_EQ(host.Audio()->Frequency(), 44100);
    // Once open, it stays the one device.
    EXPECT_EQ(BASS_Init(-1, 44100, 0, nullptr, nullptr), 0);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ALREADY);
    EXPECT_NE(BASS_Free(), 0);
    EXPECT_EQ(host.Audio(), nullptr);
    platform::SetHost(nullptr);
}

TEST(BassInit, NoDeviceGivesZeroAndNoMessage) {
    platform::HeadlessHost host;
    host.AudioAvailable = false;
    platform::SetHost(&host);
    EXPECT_EQ(BASS_Init(-1, 44100, 0, nullptr, nullptr), 0);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_DEVICE);
    EXPECT_TRUE(host.Messages.empty());
    // Device 0 is "no sound": nothing is opened.
    host.AudioAvailable = true;
    EXPECT_EQ(BASS_Init(0, 44100, 0, nullptr, nullptr), 0);
    EXPECT_EQ(host.AudioFrequencyOpened, 0);
    platform::SetHost(nullptr);
}

TEST(BassInit, ANewHostAfterTheOldOneWentOpensAgain) {
    {
        platform::HeadlessHost first;
        platform::SetHost(&first);
        ASSERT_NE(BASS_Init(-1, 44100, 0, nullptr, nullptr), 0);
        platform::SetHost(nullptr);
    } // the program's host (and its device) gone without BASS_Free
    platform::HeadlessHost second;
    platform::SetHost(&second);
    EXPECT_NE(BASS_Init(-1, 22050, 0, nullptr, nullptr), 0);
    EXPECT_EQ(second.AudioFrequencyOpened, 22050);
    BASS_Free();
    platform::SetHost(nullptr);
}

} // namespace
