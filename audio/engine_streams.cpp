// Streams: created with their first frames already decoded, then fed by one
// worker thread that decodes outside the engine's lock and only takes it to
// put a chunk into a stream's ring; without the worker, by the device callback
// in the same passes.
#include <algorithm>
#include <chrono>

#include "audio/bass.h"
#include "audio/engine.h"
#include "audio/stream_feed.h"

namespace audio {
namespace {

using namespace std::chrono_literals;

// Half a second ahead at the sound's own rate, and at least four chunks.
int64_t RingFrames(int32_t rate) {
    return std::max<int64_t>(4 * kFeedChunkFrames, rate / 2);
}

// The decoder's next chunk into the feed's own buffer. True at the end.
bool DecodeChunk(StreamFeed& feed, int64_t want, int64_t& got) {
    got = feed.decoder->Read(feed.chunk.data(), want);
    feed.decoded += got;
    return got < want;
}

// The ring has the sound's last frame: loop on, or stop there.
void MeetEnd(StreamFeed& feed) {
    if (feed.decoded > 0) {
        feed.length = feed.decoded; // the file's own count may have been off
        feed.lengthExact = true;
    }
    if (feed.loop && feed.decoded > 0) {
        feed.rewind = true;
    } else {
        feed.ended = true;
    }
}

} // namespace

int32_t Engine::AddStream(std::unique_ptr<Decoder> decoder, uint32_t flags, uint32_t& handle) {
    const SoundFormat format = decoder->Format();
    auto feed = std::make_shared<StreamFeed>(std::move(decoder), RingFrames(format.rate));
    feed->length = std::max<int64_t>(format.frames, 0);
    feed->loop = (flags & BASS_SAMPLE_LOOP) != 0;
    // Not shared yet: its first chunk is decoded here, so a Play right away
    // has frames to mix.
    int64_t got = 0;
    const bool end = DecodeChunk(*feed, kFeedChunkFrames, got);
    feed->Put(feed->chunk.data(), got);
    if (end) MeetEnd(*feed);

    std::lock_guard lock(mMutex);
    if (!mOpen) return BASS_ERROR_INIT;
    handle = NewHandle();
    Channel& channel = mChannels[handle];
    channel.feed = feed;
    channel.channels = format.channels;
    channel.rate = format.rate;
    channel.frequency = format.rate;
    channel.loop = feed->loop;
    mFeeds.push_back(std::move(feed));
    mWake.notify_all();
    return BASS_OK;
}

int32_t Engine::StreamFree(uint32_t handle) {
    std::shared_ptr<StreamFeed> released; // its file is closed after the lock
    std::lock_guard lock(mMutex);
    if (!mOpen) return BASS_ERROR_INIT;
    Channel* channel = FindChannel(handle);
    if (!channel || !channel->feed) return BASS_ERROR_HANDLE;
    released = channel->feed;
    EraseChannel(handle);
    return BASS_OK;
}

void Engine::RestartStream(Channel& channel) {
    StreamFeed& feed = *channel.feed;
    channel.position = 0;
    if (feed.taken == 0 && feed.generation == feed.fedGeneration) return; // still at the start
    ++feed.generation;
    feed.taken = feed.put = 0;
    feed.ended = false;
    feed.rewind = false;
    mWake.notify_all();
}

// The worker decodes across the end of a looping stream ahead of the mixer.
// When looping stops, what it has put past the end of the round now playing
// is dropped; when it starts again after the last frame, it goes on.
void Engine::LoopStream(StreamFeed& feed, bool loop) {
    const bool was = feed.loop;
    feed.loop = loop;
    if (was && !loop && feed.lengthExact && feed.length > 0) {
        const int64_t roundEnd = (feed.taken / feed.length + 1) * feed.length;
        if (roundEnd < feed.put) {
            feed.put = roundEnd;
            feed.ended = true;
            feed.rewind = false;
            ++feed.cuts;
        }
    } else if (!was && loop && feed.ended) {
        feed.ended = false;
        feed.rewind = true;
        mWake.notify_all();
    }
}

// One pass over the streams that need frames: a chunk each, decoded outside
// the lock. False when none needed any.
bool Engine::FeedStreams(std::unique_lock<std::mutex>& lock,
                         std::vector<std::shared_ptr<StreamFeed>>& work) {
    work.clear();
    for (const auto& feed : mFeeds) {
        if (feed->NeedsWork()) work.push_back(feed);
    }
    for (const auto& feed : work) {
        if (feed->freed || mStopWorker) continue;
        const uint64_t generation = feed->generation, cuts = feed->cuts;
        const bool restart = generation != feed->fedGeneration;
        const bool loopRound = !restart && feed->rewind;
        feed->rewind = false;
        if (loopRound && !feed->loop) { // looping was turned off meanwhile
            feed->ended = true;
            continue;
        }
        const int64_t want = std::min(kFeedChunkFrames, restart ? feed->capacity : feed->Room());
        lock.unlock();
        if (restart || loopRound) {
            feed->decoder->Rewind();
            feed->decoded = 0;
        }
        int64_t got = 0;
        const bool end = DecodeChunk(*feed, want, got);
        lock.lock();
        // Freed or restarted while decoding: these frames belong to no one,
        // and a restart rewinds on the next pass.
        if (feed->freed || feed->generation != generation) continue;
        // Looping stopped while a new round was being decoded: the sound
        // ends where the ring ends.
        if (feed->cuts != cuts || (loopRound && !feed->loop)) {
            feed->ended = true;
            continue;
        }
        feed->fedGeneration = generation;
        feed->Put(feed->chunk.data(), got);
        if (end) MeetEnd(*feed);
    }
    return !work.empty();
}

void Engine::Worker() {
    std::unique_lock lock(mMutex);
    std::vector<std::shared_ptr<StreamFeed>> work;
    while (!mStopWorker) {
        const bool idle = !FeedStreams(lock, work);
        mFed.notify_all();
        lock.unlock();
        work.clear(); // a freed stream's file is closed here, outside the lock
        lock.lock();
        ++mWorkerPasses;
        if (!idle || mStopWorker) continue; // streams left to feed go on at once
        // A stream not yet decoded to its end is looked at again soon, as the
        // callback empties its ring. Without one, nothing can need decoding
        // until a call changes a stream, and every such call wakes the worker:
        // it sleeps until then rather than waking a hundred times a second.
        const bool draining = std::any_of(mFeeds.begin(), mFeeds.end(), [](const auto& feed) {
            return !feed->freed && !feed->ended;
        });
        if (draining) {
            mWake.wait_for(lock, 10ms);
        } else {
            mWake.wait(lock);
        }
    }
}

// Without a worker: passes until no stream needs frames, where the worker
// would have been when WaitForStreams returns. Every pass fills a ring or ends
// a stream, so this ends; the bound is only against a fault.
void Engine::FeedUntilSettled(std::unique_lock<std::mutex>& lock) {
    constexpr int kMostPasses = 1 << 16; // a looping stream of one frame fills its ring
    std::vector<std::shared_ptr<StreamFeed>> work;
    for (int pass = 0; pass < kMostPasses && FeedStreams(lock, work); ++pass) {
    }
    lock.unlock();
    work.clear();
    lock.lock();
}

uint64_t Engine::WorkerPasses() {
    std::lock_guard lock(mMutex);
    return mWorkerPasses;
}

void Engine::WaitForStreams() {
    std::unique_lock lock(mMutex);
    if (!mHasWorker) {
        if (mOpen) FeedUntilSettled(lock);
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (mOpen && mWorker.joinable()) {
        const bool settled = std::none_of(mFeeds.begin(), mFeeds.end(),
                                          [](const auto& feed) { return feed->NeedsWork(); });
        if (settled) return;
        mWake.notify_all();
        if (mFed.wait_until(lock, deadline) == std::cv_status::timeout) return;
    }
}

} // namespace audio
