// SDL's audio output: the disk driver captures exactly what the source gave,
// and a machine without a sound card gets no device and no noise on stderr.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

#include "platform/audio_device.h"
#include "platform_sdl/sdl_audio_device.h"
#include "support/temp_dir.h"

namespace {

using namespace std::chrono_literals;

// Frame i is (i, -i) on the two sides, wrapping at 16 bits.
class Counter : public platform::AudioSource {
  public:
    void RenderAudio(int16_t* out, int32_t frames) override {
        for (int32_t i = 0; i < frames; ++i, ++mNext) {
            out[2 * i] = static_cast<int16_t>(mNext);
            out[2 * i + 1] = static_cast<int16_t>(-mNext);
        }
    }

  private:
    int32_t mNext = 0;
};

// What the process writes on stderr while `call` runs.
template <typename Call> std::string StderrOf(const TempDir& dir, Call call) {
    const std::string path = (dir.path() / "stderr.txt").string();
    fflush(stderr);
    const int saved = dup(2);
    const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(file, 2);
    close(file);
    call();
    fflush(stderr);
    dup2(saved, 2);
    close(saved);
    return dir.Read("stderr.txt");
}

TEST(SdlAudioDevice, TheDiskDriverCapturesTheSourcesFrames) {
    TempDir dir;
    const std::string capture = (dir.path() / "capture.raw").string();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
    Counter counter;
    {
        auto device = platform_sdl::OpenSdlAudioDevice(44100);
        ASSERT_NE(device, nullptr) << platform_sdl::LastAudioDeviceError();
        EXPECT_EQ(device->Frequency(), 44100);
        EXPECT_GT(device->BlockFrames(), 0);
        device->Attach(&counter);
        std::this_thread::sleep_for(200ms);
        device->Attach(nullptr);
        std::this_thread::sleep_for(60ms);
    }
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
    const std::string raw = dir.Read("capture.raw");
    ASSERT_GE(raw.size(), 4u * 4096);
    std::vector<int16_t> samples(raw.size() / 2);
    std::memcpy(samples.data(), raw.data(), samples.size() * 2);
    // Silence before the source came and after it left; in between the
    // counter, unbroken.
    size_t at = 0;
    while (at < samples.size() && samples[at] == 0 && samples[at + 1] == 0) at += 2;
    ASSERT_LT(at, samples.size());
    int16_t expected = samples[at];
    int frames = 0;
    for (; at + 1 < samples.size() && !(samples[at] == 0 && samples[at + 1] == 0); at += 2) {
        ASSERT_EQ(samples[at], expected) << at;
        ASSERT_EQ(samples[at + 1], static_cast<int16_t>(-expected)) << at;
        ++expected;
        ++frames;
    }
    EXPECT_GT(frames, 4096);
}

TEST(SdlAudioDevice, NoSoundCardMeansNoDeviceAndNothingOnStderr) {
    TempDir dir;
    // ALSA's default device on a card that does not exist: the library
    // complains on stderr unless it is kept quiet.
    dir.Write("asound.conf", "pcm.!default { type hw card \"nosuchcard\" }\n");
    setenv("SDL_AUDIODRIVER", "alsa", 1);
    setenv("ALSA_CONFIG_PATH", (dir.path() / "asound.conf").c_str(), 1);
    std::unique_ptr<platform::AudioDevice> device;
    const std::string noise =
        StderrOf(dir, [&] { device = platform_sdl::OpenSdlAudioDevice(44100); });
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("ALSA_CONFIG_PATH");
    EXPECT_EQ(device, nullptr);
    EXPECT_FALSE(platform_sdl::LastAudioDeviceError().empty());
    EXPECT_EQ(noise, "");
}

TEST(PulledAudioDevice, BlocksComeFromTheAttachedSource) {
    platform::PulledAudioDevice device(22050, 512);
    EXPECT_EQ(device.Frequency(), 22050);
    EXPECT_EQ(device.BlockFrames(), 512);
    std::vector<int16_t> out(8, 7);
    device.Pull(out.data(), 4);
    EXPECT_EQ(out, std::vector<int16_t>(8, 0));
    Counter counter;
    device.Attach(&counter);
    device.Pull(out.data(), 4);
    EXPECT_EQ(out, (std::vector<int16_t>{0, 0, 1, -1, 2, -2, 3, -3}));
}

} // namespace
