// Decoding a sound whole, for any decoder behind the seam.
#include <algorithm>
#include <atomic>
#include <new>
#include <stdexcept>

#include "audio/bass.h"
#include "audio/decoder.h"

namespace audio {

namespace {

// A file's own frame count is only a first guess, and a lying header must not
// reserve gigabytes: beyond this the buffer grows as the data really comes.
constexpr int64_t kFirstGuessFrames = int64_t{1} << 20;

std::atomic<uint64_t> gDecodedSoundLimit{kMaxDecodedSoundBytes};

} // namespace

uint64_t DecodedSoundLimit() {
    return gDecodedSoundLimit.load();
}

void SetDecodedSoundLimit(uint64_t bytes) {
    gDecodedSoundLimit.store(std::min(bytes, kMaxDecodedSoundBytes));
}

bool DecodeWhole(Decoder& decoder, DecodedSound& sound, int32_t* error) {
    const SoundFormat& format = decoder.Format();
    sound.channels = format.channels;
    sound.rate = format.rate;
    sound.frames = 0;
    const int64_t limitFrames =
        static_cast<int64_t>(DecodedSoundLimit() / (sizeof(int16_t) * format.channels));
    auto tooLarge = [&] {
        sound.pcm = {};
        sound.frames = 0;
        *error = BASS_ERROR_MEM;
        return false;
    };
    try {
        // One frame more than the limit tells a sound that does not fit.
        int64_t capacity =
            std::min(std::clamp<int64_t>(format.frames, 0, kFirstGuessFrames) + 1, limitFrames + 1);
        sound.pcm.resize(static_cast<size_t>(capacity * format.channels));
        for (;;) {
            if (sound.frames == capacity) {
                if (capacity > limitFrames) return tooLarge();
                capacity = std::min(capacity * 2, limitFrames + 1);
                sound.pcm.resize(static_cast<size_t>(capacity * format.channels));
            }
            const int64_t n = decoder.Read(sound.pcm.data() + sound.frames * format.channels,
                                           capacity - sound.frames);
            if (n <= 0) break;
            sound.frames += n;
        }
        sound.pcm.resize(static_cast<size_t>(sound.frames * format.channels));
        sound.pcm.shrink_to_fit();
    } catch (const std::bad_alloc&) {
        return tooLarge();
    } catch (const std::length_error&) {
        return tooLarge();
    }
    return true;
}

} // namespace audio
