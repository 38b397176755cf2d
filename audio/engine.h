// The engine behind the library's calls: the handle tables, the channels'
// state, the device callback that mixes them, and the worker thread that
// decodes streams ahead of it.
//
// One mutex guards the tables and the stream buffers. The device callback
// holds it while it mixes (well under a millisecond); the game thread holds it
// only to change a few fields. Nothing decodes while holding it: samples are
// decoded before they are added, streams by the worker between its short
// visits to the buffers.
//
// Without a worker (the browser has no threads) the device callback feeds the
// streams itself before it mixes, just as far as the worker would have: the
// same calls give the same sound as with a worker that keeps up.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

#include "audio/decoder.h"
#include "audio/mixer.h"
#include "platform/audio_device.h"

namespace audio {

struct StreamFeed;

class Engine final : public platform::AudioSource {
  public:
    // The one engine of the program; never destroyed, so the device callback
    // can never outlive it.
    static Engine& Get();

    // Opens the host's audio output. An engine left open on a host that has
    // since gone (its device with it) starts afresh.
    int32_t Init(int32_t frequency);
    // Whether the next Init starts a worker; off by default where there are
    // no threads. For tests of the feeding without one.
    void UseWorker(bool worker);
    int32_t Free();
    bool IsOpen();

    // Take ownership of what was decoded or opened outside the lock.
    int32_t AddStream(std::unique_ptr<Decoder> decoder, uint32_t flags, uint32_t& handle);
    int32_t AddSample(DecodedSound sound, uint32_t max, uint32_t flags, uint32_t& handle);

    int32_t SampleChannel(uint32_t sample, bool onlyNew, uint32_t& channel);
    int32_t SampleStop(uint32_t sample);
    int32_t SampleFree(uint32_t sample);
    int32_t StreamFree(uint32_t stream);

    // The gain over every channel, 0..100.
    void SetOutputVolume(int32_t volume);
    int32_t OutputVolume();

    int32_t GetAttributes(uint32_t channel, uint32_t* frequency, uint32_t* volume, int32_t* pan);
    int32_t SetAttributes(uint32_t channel, int32_t frequency, int32_t volume, int32_t pan);
    int32_t SetFlags(uint32_t channel, uint32_t flags);
    int32_t Play(uint32_t channel, bool restart);
    int32_t Pause(uint32_t channel);
    int32_t Stop(uint32_t channel);
    int32_t IsActive(uint32_t channel, uint32_t& state);

    struct Extent {
        int64_t length = 0;   // frames
        int64_t position = 0; // frames
        int32_t channels = 1;
        int32_t rate = 1;
    };
    int32_t GetExtent(uint32_t channel, Extent& extent);

    // For tests, tools and benchmarks that render faster than real time:
    // returns when every stream's buffer is full or holds its last frame.
    // Without a worker it fills them itself.
    void WaitForStreams();
    // For tests: how many times the worker has looked for streams to feed.
    uint64_t WorkerPasses();
    // For tests: how many samples are loaded.
    size_t LoadedSamples();

    // The device callback.
    void RenderAudio(int16_t* out, int32_t frames) override;

  private:
    Engine() = default;

    enum class State : uint32_t { Stopped = 0, Playing = 1, Paused = 3 };

    struct Channel {
        uint32_t sample = 0; // the sample it plays (0 for a stream)
        std::shared_ptr<const DecodedSound> sound;
        std::shared_ptr<StreamFeed> feed;
        int32_t channels = 1, rate = 1;
        State state = State::Stopped;
        double position = 0; // frames into the sound
        int32_t frequency = 1, volume = 100, pan = 0;
        bool loop = false;
        bool ended = false;  // stopped by playing to its end
        uint64_t played = 0; // output frames mixed since it last started
    };

    struct Sample {
        std::shared_ptr<const DecodedSound> sound;
        uint32_t max = 1, flags = 0;
        std::vector<uint32_t> channels; // its playbacks, oldest first
    };

    uint32_t NewHandle();
    Channel* FindChannel(uint32_t handle);
    template <class Change> int32_t OnChannel(uint32_t handle, Change&& change);
    int64_t LengthOf(const Channel& channel) const;
    void ResetLocked();
    uint32_t NewSampleChannel(uint32_t sampleHandle, Sample& sample);
    void EraseChannel(uint32_t handle);
    void RestartStream(Channel& channel);
    void LoopStream(StreamFeed& feed, bool loop);
    void PrepareStreamVoice(Channel& channel, MixVoice& voice, int32_t frames);
    void AdvanceStream(Channel& channel, const MixVoice& voice);
    bool FeedStreams(std::unique_lock<std::mutex>& lock,
                     std::vector<std::shared_ptr<StreamFeed>>& work);
    void FeedUntilSettled(std::unique_lock<std::mutex>& lock);
    void Worker();
    void StopWorker();

    std::mutex mMutex;
    std::condition_variable mWake; // the worker has something to do
    std::condition_variable mFed;  // the worker has finished a pass
    bool mOpen = false;
    platform::AudioDevice* mDevice = nullptr; // the host's output we are attached to
    int32_t mOutputRate = 44100;
    int32_t mOutputVolume = 100;
    uint32_t mLastHandle = 0;
    std::unordered_map<uint32_t, Channel> mChannels;
    std::unordered_map<uint32_t, Sample> mSamples;
    std::vector<std::shared_ptr<StreamFeed>> mFeeds;
    std::vector<MixVoice> mVoices;      // the callback's, kept to avoid allocating
    std::vector<Channel*> mVoiceOwners; // the channel of each voice
#ifdef __EMSCRIPTEN__
    bool mWantWorker = false;
#else
    bool mWantWorker = true;
#endif
    bool mHasWorker = false; // as mWantWorker was at Init
    std::thread mWorker;
    bool mStopWorker = false;
    uint64_t mWorkerPasses = 0;
};

} // namespace audio
