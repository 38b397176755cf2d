// The device callback: every playing channel becomes a voice of the mixer,
// and the mixer's progress goes back into the channels. Without a worker it
// first feeds the streams.
#include <algorithm>
#include <cmath>

#include "audio/engine.h"
#include "audio/stream_feed.h"

namespace audio {

void Engine::RenderAudio(int16_t* out, int32_t frames) {
    std::unique_lock lock(mMutex);
    if (!mHasWorker) FeedUntilSettled(lock);
    mVoices.clear();
    mVoiceOwners.clear();
    for (auto& [handle, channel] : mChannels) {
        if (channel.state != State::Playing) continue;
        MixVoice voice;
        voice.channels = channel.channels;
        voice.rate = channel.frequency;
        GainsFor(channel.volume, channel.pan, voice.left, voice.right);
        const float output = static_cast<float>(mOutputVolume) / 100.0f;
        voice.left *= output;
        voice.right *= output;
        if (channel.feed) {
            PrepareStreamVoice(channel, voice, frames);
        } else {
            voice.frames = channel.sound->pcm.data();
            voice.count = channel.sound->frames;
            voice.loop = channel.loop;
            voice.position = channel.position;
        }
        mVoices.push_back(voice);
        mVoiceOwners.push_back(&channel);
    }
    MixBlock(mVoices, mOutputRate, out, frames);
    for (size_t i = 0; i < mVoices.size(); ++i) {
        Channel& channel = *mVoiceOwners[i];
        const MixVoice& voice = mVoices[i];
        channel.played += static_cast<uint64_t>(frames);
        if (channel.feed) {
            AdvanceStream(channel, voice);
        } else {
            channel.position = voice.position;
        }
        if (voice.finished) {
            channel.state = State::Stopped;
            channel.ended = true;
            channel.position = static_cast<double>(LengthOf(channel));
        }
    }
}

// The stream's stored frames from its read point, as many as this block can
// use, copied straight; the mixer waits rather than ends while more will come.
void Engine::PrepareStreamVoice(Channel& channel, MixVoice& voice, int32_t frames) {
    StreamFeed& feed = *channel.feed;
    const double fraction = channel.position - std::floor(channel.position);
    const double step = static_cast<double>(channel.frequency) / mOutputRate;
    const auto needed = static_cast<int64_t>(std::ceil(fraction + frames * step)) + 2;
    const int64_t stored = feed.Stored();
    const int64_t count = std::min(stored, needed);
    feed.CopyStart(feed.window.data(), count);
    voice.frames = feed.window.data();
    voice.count = count;
    voice.more = !(feed.ended && count == stored);
    voice.position = fraction;
}

void Engine::AdvanceStream(Channel& channel, const MixVoice& voice) {
    StreamFeed& feed = *channel.feed;
    const int64_t used = std::min(static_cast<int64_t>(std::floor(voice.position)), voice.count);
    feed.taken += used;
    double position = std::floor(channel.position) + static_cast<double>(used) +
                      (voice.position - std::floor(voice.position));
    // A looping stream's frames go on from the start of the sound.
    if (feed.length > 0 && position >= static_cast<double>(feed.length)) {
        position = std::fmod(position, static_cast<double>(feed.length));
    }
    channel.position = position;
}

} // namespace audio
