// The sound decoder on arbitrary bytes, as a sound file dropped into Sounds/
// reaches it: opened from memory, read in pieces, rewound, and decoded whole
// within a small limit, which it must keep to.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "audio/bass.h"
#include "audio/decoder.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

constexpr uint64_t kDecodedLimit = uint64_t{32} << 20;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    audio::SetDecodedSoundLimit(kDecodedLimit);
    int32_t error = 0;
    std::unique_ptr<audio::Decoder> decoder = audio::Decoder::OpenMemory(data, size, &error);
    if (!decoder) {
        Check(error != 0);
        return 0;
    }
    const audio::SoundFormat format = decoder->Format();
    Check(format.channels >= 1 && format.rate >= 1);
    std::vector<int16_t> piece(static_cast<size_t>(format.channels) * 4096);
    for (int i = 0; i < 4; ++i) {
        const int64_t n = decoder->Read(piece.data(), 4096);
        Check(n >= 0 && n <= 4096);
        if (n < 4096) break;
    }
    if (decoder->Rewind()) {
        audio::DecodedSound sound;
        if (audio::DecodeWhole(*decoder, sound, &error)) {
            Check(sound.pcm.size() == static_cast<size_t>(sound.frames * sound.channels));
            Check(sound.pcm.size() * sizeof(int16_t) <= kDecodedLimit);
        } else {
            Check(error == BASS_ERROR_MEM && sound.pcm.empty());
        }
    }
    return 0;
}
