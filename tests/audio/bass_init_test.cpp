#include <gtest/gtest.h>

#include "audio/bass.h"
#include "platform/headless_host.h"

namespace {

TEST(BassInit, OpensTheDefaultDeviceAtTheGivenRate) {
    platform::HeadlessHost host;
    platform::SetHost(&host);
    EXPECT_NE(BASS_Init(-1, 44100, 0, nullptr, nullptr), 0);
    EXPECT_EQ(host.AudioFrequencyOpened, 44100);
    platform::SetHost(nullptr);
}

TEST(BassInit, NoDeviceGivesZeroAndNoMessage) {
    platform::HeadlessHost host;
    host.AudioAvailable = false;
    platform::SetHost(&host);
    EXPECT_EQ(BASS_Init(-1, 44100, 0, nullptr, nullptr), 0);
    EXPECT_TRUE(host.Messages.empty());
    // Device 0 is "no sound": nothing is opened.
    host.AudioAvailable = true;
    EXPECT_EQ(BASS_Init(0, 44100, 0, nullptr, nullptr), 0);
    EXPECT_EQ(host.AudioFrequencyOpened, 0);
    platform::SetHost(nullptr);
}

} // namespace
