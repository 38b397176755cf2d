// A stream's decoded frames on their way from the worker to the mixer: a ring
// of frames that the worker fills ahead and the device callback empties.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "audio/decoder.h"

namespace audio {

// Frames the worker decodes at a time.
constexpr int64_t kFeedChunkFrames = 4096;

struct StreamFeed {
    StreamFeed(std::unique_ptr<Decoder> source, int64_t capacityFrames)
        : channels(source->Format().channels), capacity(capacityFrames),
          ring(static_cast<size_t>(capacityFrames * channels)),
          window(static_cast<size_t>(capacityFrames * channels)), decoder(std::move(source)),
          chunk(static_cast<size_t>(kFeedChunkFrames * channels)) {}

    const int32_t channels;
    const int64_t capacity; // frames

    // --- under the engine's mutex ---
    std::vector<int16_t> ring;
    // Counted from the last restart, which starts at the sound's first frame:
    // put count c holds frame c mod length.
    int64_t taken = 0, put = 0;
    int64_t length = 0; // frames; exact once the decoder has met the end
    bool lengthExact = false;
    bool ended = false; // the sound's last frame is in the ring
    bool loop = false;
    bool rewind = false;        // the decoder goes on from the first frame (looping)
    uint64_t generation = 0;    // a restart bumps it: the decoder starts over
    uint64_t fedGeneration = 0; // the generation whose frames the ring holds
    uint64_t cuts = 0;          // bumped when frames past the end are dropped
    bool freed = false;
    std::vector<int16_t> window; // the callback's straight copy of the ring's start

    // --- the worker's alone (and the creator's before the engine has it) ---
    std::unique_ptr<Decoder> decoder;
    std::vector<int16_t> chunk;
    int64_t decoded = 0; // frames since the last rewind

    int64_t Stored() const { return put - taken; }
    int64_t Room() const { return capacity - Stored(); }
    bool NeedsWork() const {
        return !freed && (generation != fedGeneration ||
                          (!ended && Room() >= std::min(kFeedChunkFrames, capacity)));
    }

    // At most Room() frames.
    void Put(const int16_t* frames, int64_t count) {
        const int64_t start = put % capacity;
        const int64_t first = std::min(count, capacity - start);
        std::copy_n(frames, first * channels, ring.begin() + start * channels);
        std::copy_n(frames + first * channels, (count - first) * channels, ring.begin());
        put += count;
    }

    // The first `count` stored frames, in order.
    void CopyStart(int16_t* out, int64_t count) const {
        const int64_t start = taken % capacity;
        const int64_t first = std::min(count, capacity - start);
        std::copy_n(ring.begin() + start * channels, first * channels, out);
        std::copy_n(ring.begin(), (count - first) * channels, out + first * channels);
    }
};

} // namespace audio
