// The sound output: a device that asks its source for blocks of interleaved
// signed 16-bit stereo frames. A backend's device plays them
// (platform_sdl/sdl_audio_device.h); the pulled device hands them to whoever
// calls Pull, so that mixing can be tested and timed without sound hardware.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

namespace platform {

constexpr int32_t kAudioOutputChannels = 2;

class AudioSource {
  public:
    virtual ~AudioSource() = default;
    // Fills `frames` stereo frames (2 x frames values). Runs on the device's
    // own thread for a real device: it must not block for long.
    virtual void RenderAudio(int16_t* out, int32_t frames) = 0;
};

class AudioDevice {
  public:
    virtual ~AudioDevice() = default;
    virtual int32_t Frequency() const = 0;   // frames per second
    virtual int32_t BlockFrames() const = 0; // frames asked for at a time
    // The source that fills the blocks from now on; nullptr plays silence.
    // When this returns, the previous source is no longer being called.
    virtual void Attach(AudioSource* source) = 0;
};

// Blocks are produced only when asked for, on the caller's thread.
class PulledAudioDevice : public AudioDevice {
  public:
    PulledAudioDevice(int32_t frequency, int32_t blockFrames = 1024)
        : mFrequency(frequency), mBlockFrames(blockFrames) {}

    int32_t Frequency() const override { return mFrequency; }
    int32_t BlockFrames() const override { return mBlockFrames; }
    void Attach(AudioSource* source) override;
    // Renders `frames` frames from the attached source (silence without one).
    void Pull(int16_t* out, int32_t frames);

  private:
    int32_t mFrequency, mBlockFrames;
    std::mutex mMutex;
    AudioSource* mSource = nullptr;
};

} // namespace platform
