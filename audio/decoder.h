// Encoded sound to 16-bit frames through libsndfile: WAV, AIFF, FLAC, Ogg
// Vorbis, Opus, MP3 and the other formats it reads, from a region of a file
// or from a copy of bytes in memory. In the browser Ogg Vorbis alone, through
// vorbisfile (decoder_vorbis.cpp).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace audio {

struct SoundFormat {
    int32_t channels = 0;
    int32_t rate = 0;    // frames per second
    int64_t frames = -1; // as the file says; -1 when it does not say
};

class Decoder {
  public:
    // A region of a file: from `offset`, `length` bytes (0: to the end).
    // nullptr with *error set (BASS_ERROR_FILEOPEN or BASS_ERROR_FORMAT).
    static std::unique_ptr<Decoder> OpenFile(const char* path, uint64_t offset, uint64_t length,
                                             int32_t* error);
    // A copy of `length` bytes at `data`.
    static std::unique_ptr<Decoder> OpenMemory(const void* data, uint64_t length, int32_t* error);

    ~Decoder();
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    const SoundFormat& Format() const { return mFormat; }
    // Up to `frames` interleaved frames at the file's own channel count; fewer
    // only at the end (or where the data breaks off).
    int64_t Read(int16_t* out, int64_t frames);
    // Back to the first frame.
    bool Rewind();

    struct Input; // the bytes the library reads through

  private:
    Decoder() = default;
    static std::unique_ptr<Decoder> Open(std::unique_ptr<Input> input, int32_t* error);

    std::unique_ptr<Input> mInput;
    void* mFile = nullptr; // SNDFILE* or OggVorbis_File*
    SoundFormat mFormat;
    bool mFloat = false; // read as floats and converted here
    std::vector<float> mFloats;
};

// A whole sound decoded at once.
struct DecodedSound {
    std::vector<int16_t> pcm; // interleaved
    int32_t channels = 0;
    int32_t rate = 0;
    int64_t frames = 0;
};

// The library's lengths are 32-bit: no sound decoded whole takes more bytes.
constexpr uint64_t kMaxDecodedSoundBytes = 0xFFFFFFFFu;
// The most bytes of 16-bit data one sound decoded whole may take; at most
// kMaxDecodedSoundBytes, which it is unless lowered (tests do).
uint64_t DecodedSoundLimit();
void SetDecodedSoundLimit(uint64_t bytes);

// Decodes to the end. False (*error BASS_ERROR_MEM) when it does not fit in
// memory or in the limit.
bool DecodeWhole(Decoder& decoder, DecodedSound& sound, int32_t* error);

} // namespace audio
