#include "audio/engine.h"

#include <algorithm>
#include <cmath>

#include "audio/bass.h"
#include "audio/stream_feed.h"
#include "platform/host.h"

namespace audio {
namespace {

constexpr int32_t kLowestFrequency = 1;
constexpr int32_t kHighestFrequency = 1'000'000;

} // namespace

Engine& Engine::Get() {
    static Engine* engine = new Engine;
    return *engine;
}

int32_t Engine::Init(int32_t frequency) {
    platform::Host& host = platform::host();
    bool stale = false;
    {
        std::lock_guard lock(mMutex);
        if (mOpen) {
            if (host.Audio() != nullptr) return BASS_ERROR_ALREADY;
            ResetLocked(); // its device went with its host
            mOpen = false;
            stale = true;
        }
    }
    if (stale) StopWorker();
    if (!host.OpenAudio(frequency) || !host.Audio()) return BASS_ERROR_DEVICE;
    platform::AudioDevice* device = host.Audio();
    {
        std::lock_guard lock(mMutex);
        mOutputRate = device->Frequency();
        mDevice = device;
        mOpen = true;
        mHasWorker = mWantWorker;
        mVoices.reserve(64);
        mVoiceOwners.reserve(64);
    }
    if (mHasWorker) mWorker = std::thread(&Engine::Worker, this);
    device->Attach(this);
    return BASS_OK;
}

void Engine::UseWorker(bool worker) {
    std::lock_guard lock(mMutex);
    mWantWorker = worker;
}

int32_t Engine::Free() {
    {
        std::lock_guard lock(mMutex);
        if (!mOpen) return BASS_ERROR_INIT;
    }
    platform::Host& host = platform::host();
    if (host.Audio() && host.Audio() == mDevice) {
        mDevice->Attach(nullptr);
        host.CloseAudio();
    }
    StopWorker();
    std::lock_guard lock(mMutex);
    ResetLocked();
    mOpen = false;
    mDevice = nullptr;
    return BASS_OK;
}

void Engine::SetOutputVolume(int32_t volume) {
    std::lock_guard lock(mMutex);
    mOutputVolume = volume;
}

int32_t Engine::OutputVolume() {
    std::lock_guard lock(mMutex);
    return mOutputVolume;
}

bool Engine::IsOpen() {
    std::lock_guard lock(mMutex);
    return mOpen;
}

void Engine::ResetLocked() {
    for (auto& feed : mFeeds) feed->freed = true;
    mFeeds.clear();
    mChannels.clear();
    mSamples.clear();
}

void Engine::StopWorker() {
    {
        std::lock_guard lock(mMutex);
        mStopWorker = true;
    }
    mWake.notify_all();
    if (mWorker.joinable()) mWorker.join();
    std::lock_guard lock(mMutex);
    mStopWorker = false;
}

uint32_t Engine::NewHandle() {
    do {
        ++mLastHandle;
    } while (mLastHandle == 0 || mChannels.count(mLastHandle) || mSamples.count(mLastHandle));
    return mLastHandle;
}

Engine::Channel* Engine::FindChannel(uint32_t handle) {
    const auto it = mChannels.find(handle);
    return it == mChannels.end() ? nullptr : &it->second;
}

int64_t Engine::LengthOf(const Channel& channel) const {
    return channel.feed ? channel.feed->length : channel.sound->frames;
}

int32_t Engine::AddSample(DecodedSound sound, uint32_t max, uint32_t flags, uint32_t& handle) {
    auto shared = std::make_shared<const DecodedSound>(std::move(sound));
    std::lock_guard lock(mMutex);
    if (!mOpen) return BASS_ERROR_INIT;
    handle = NewHandle();
    Sample& sample = mSamples[handle];
    sample.sound = std::move(shared);
    sample.max = max;
    sample.flags = flags;
    return BASS_OK;
}

uint32_t Engine::NewSampleChannel(uint32_t sampleHandle, Sample& sample) {
    const uint32_t handle = NewHandle();
    Channel& channel = mChannels[handle];
    channel.sample = sampleHandle;
    channel.sound = sample.sound;
    channel.channels = sample.sound->channels;
    channel.rate = sample.sound->rate;
    channel.frequency = channel.rate;
    channel.loop = (sample.flags & BASS_SAMPLE_LOOP) != 0;
    sample.channels.push_back(handle);
    return handle;
}

void Engine::EraseChannel(uint32_t handle) {
    const auto it = mChannels.find(handle);
    if (it == mChannels.end()) return;
    if (it->second.sample != 0) {
        auto& list = mSamples[it->second.sample].channels;
        list.erase(std::remove(list.begin(), list.end(), handle), list.end());
    }
    if (it->second.feed) {
        it->second.feed->freed = true;
        mFeeds.erase(std::remove(mFeeds.begin(), mFeeds.end(), it->second.feed), mFeeds.end());
    }
    mChannels.erase(it);
}

int32_t Engine::SampleChannel(uint32_t sampleHandle, bool onlyNew, uint32_t& result) {
    std::lock_guard lock(mMutex);
    if (!mOpen) return BASS_ERROR_INIT;
    const auto found = mSamples.find(sampleHandle);
    if (found == mSamples.end()) return BASS_ERROR_HANDLE;
    Sample& sample = found->second;
    uint32_t idle = 0; // the oldest playback that is not busy
    for (uint32_t handle : sample.channels) {
        if (mChannels[handle].state == State::Stopped) {
            idle = handle;
            break;
        }
    }
    if (idle != 0 && !onlyNew) {
        Channel& channel = mChannels[idle];
        channel.position = 0;
        channel.played = 0;
        channel.ended = false;
        channel.frequency = channel.rate;
        channel.volume = 100;
        channel.pan = 0;
        channel.loop = (sample.flags & BASS_SAMPLE_LOOP) != 0;
        result = idle;
        return BASS_OK;
    }
    if (sample.channels.size() >= sample.max) {
        uint32_t victim = idle;
        if (victim == 0) {
            if (!(sample.flags & BASS_SAMPLE_OVER_POS)) return BASS_ERROR_NOCHAN;
            uint64_t longest = 0;
            for (uint32_t handle : sample.channels) { // oldest first: it wins a tie
                if (victim == 0 || mChannels[handle].played > longest) {
                    victim = handle;
                    longest = mChannels[handle].played;
                }
            }
        }
        EraseChannel(victim);
    }
    result = NewSampleChannel(sampleHandle, sample);
    return BASS_OK;
}

int32_t Engine::SampleStop(uint32_t sampleHandle) {
    std::lock_guard lock(mMutex);
    if (!mOpen) return BASS_ERROR_INIT;
    const auto found = mSamples.find(sampleHandle);
    if (found == mSamples.end()) return BASS_ERROR_HANDLE;
    for (uint32_t handle : found->second.channels) mChannels[handle].state = State::Stopped;
    return BASS_OK;
}

size_t Engine::LoadedSamples() {
    std::lock_guard lock(mMutex);
    return mSamples.size();
}

int32_t Engine::SampleFree(uint32_t sampleHandle) {
    std::shared_ptr<const DecodedSound> released; // freed after the lock
    std::lock_guard lock(mMutex);
    if (!mOpen) return BASS_ERROR_INIT;
    const auto found = mSamples.find(sampleHandle);
    if (found == mSamples.end()) return BASS_ERROR_HANDLE;
    const std::vector<uint32_t> playbacks = found->second.channels;
    for (uint32_t handle : playbacks) EraseChannel(handle);
    released = std::move(found->second.sound);
    mSamples.erase(sampleHandle);
    return BASS_OK;
}

// Runs change on the live channel under the lock; the errors of a closed
// engine or an unknown handle otherwise.
template <class Change> int32_t Engine::OnChannel(uint32_t handle, Change&& change) {
    std::lock_guard lock(mMutex);
    if (!mOpen) return BASS_ERROR_INIT;
    Channel* channel = FindChannel(handle);
    if (!channel) return BASS_ERROR_HANDLE;
    return change(channel);
}

int32_t Engine::GetAttributes(uint32_t handle, uint32_t* frequency, uint32_t* volume,
                              int32_t* pan) {
    return OnChannel(handle, [&](Channel* channel) -> int32_t {
        if (frequency) *frequency = static_cast<uint32_t>(channel->frequency);
        if (volume) *volume = static_cast<uint32_t>(channel->volume);
        if (pan) *pan = channel->pan;
        return BASS_OK;
    });
}

int32_t Engine::SetAttributes(uint32_t handle, int32_t frequency, int32_t volume, int32_t pan) {
    return OnChannel(handle, [&](Channel* channel) -> int32_t {
        if (frequency < -1) return BASS_ERROR_ILLPARAM;
        if (frequency == 0) {
            channel->frequency = channel->rate;
        } else if (frequency > 0) {
            channel->frequency = std::clamp(frequency, kLowestFrequency, kHighestFrequency);
        }
        if (volume != -1) channel->volume = std::clamp(volume, 0, 100);
        if (pan != -101) channel->pan = std::clamp(pan, -100, 100);
        return BASS_OK;
    });
}

int32_t Engine::SetFlags(uint32_t handle, uint32_t flags) {
    return OnChannel(handle, [&](Channel* channel) -> int32_t {
        channel->loop = (flags & BASS_SAMPLE_LOOP) != 0;
        if (channel->feed) LoopStream(*channel->feed, channel->loop);
        return BASS_OK;
    });
}

int32_t Engine::Play(uint32_t handle, bool restart) {
    return OnChannel(handle, [&](Channel* channel) -> int32_t {
        if (restart || (channel->state == State::Stopped && channel->ended)) {
            channel->played = 0;
            channel->ended = false;
            if (channel->feed) {
                RestartStream(*channel);
            } else {
                channel->position = 0;
            }
        }
        channel->state = State::Playing;
        return BASS_OK;
    });
}

int32_t Engine::Pause(uint32_t handle) {
    return OnChannel(handle, [&](Channel* channel) -> int32_t {
        if (channel->state == State::Stopped) return BASS_ERROR_NOPLAY;
        channel->state = State::Paused;
        return BASS_OK;
    });
}

int32_t Engine::Stop(uint32_t handle) {
    return OnChannel(handle, [&](Channel* channel) -> int32_t {
        channel->state = State::Stopped;
        return BASS_OK;
    });
}

int32_t Engine::IsActive(uint32_t handle, uint32_t& state) {
    return OnChannel(handle, [&](Channel* channel) -> int32_t {
        state = static_cast<uint32_t>(channel->state);
        return BASS_OK;
    });
}

int32_t Engine::GetExtent(uint32_t handle, Extent& extent) {
    return OnChannel(handle, [&](Channel* channel) -> int32_t {
        extent.length = LengthOf(*channel);
        extent.position = static_cast<int64_t>(std::floor(channel->position));
        if (extent.length > 0) extent.position = std::min(extent.position, extent.length);
        extent.channels = channel->channels;
        extent.rate = channel->rate;
        return BASS_OK;
    });
}

} // namespace audio
