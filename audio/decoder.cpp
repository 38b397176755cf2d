#include "audio/decoder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <sndfile.h>

#include "audio/bass.h"
#include "audio/decoder_input.h"

namespace audio {

namespace {

using Input = Decoder::Input;

sf_count_t Length(void* user) {
    return static_cast<Input*>(user)->size;
}

sf_count_t Seek(sf_count_t offset, int whence, void* user) {
    auto* in = static_cast<Input*>(user);
    return in->Seek(offset, whence) ? in->position : -1;
}

sf_count_t Read(void* out, sf_count_t count, void* user) {
    return static_cast<Input*>(user)->Read(out, count);
}

sf_count_t Write(const void*, sf_count_t, void*) {
    return 0;
}

sf_count_t Tell(void* user) {
    return static_cast<Input*>(user)->position;
}

SF_VIRTUAL_IO gInputCalls = {&Length, &Seek, &Read, &Write, &Tell};

// Lossy and floating-point codings decode to floats that may overshoot
// full scale: converted here with clipping rather than by libsndfile's
// integer reads, which would wrap.
bool IsFloatCoded(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_FLOAT:
    case SF_FORMAT_DOUBLE:
    case SF_FORMAT_VORBIS:
    case SF_FORMAT_OPUS:
    case SF_FORMAT_MPEG_LAYER_I:
    case SF_FORMAT_MPEG_LAYER_II:
    case SF_FORMAT_MPEG_LAYER_III:
        return true;
    default:
        return false;
    }
}

constexpr int64_t kFloatFrames = 4096;

int16_t ToShort(float value) {
    return static_cast<int16_t>(std::lrint(std::clamp(value * 32768.0f, -32768.0f, 32767.0f)));
}

} // namespace

std::unique_ptr<Decoder> Decoder::Open(std::unique_ptr<Input> input, int32_t* error) {
    SF_INFO info{};
    SNDFILE* file = sf_open_virtual(&gInputCalls, SFM_READ, &info, input.get());
    if (!file) {
        *error = BASS_ERROR_FORMAT;
        return nullptr;
    }
    if (info.channels < 1 || info.samplerate < 1) {
        sf_close(file);
        *error = BASS_ERROR_FORMAT;
        return nullptr;
    }
    std::unique_ptr<Decoder> decoder(new Decoder);
    decoder->mFloat = IsFloatCoded(info.format);
    decoder->mInput = std::move(input);
    decoder->mFile = file;
    decoder->mFormat.channels = info.channels;
    decoder->mFormat.rate = info.samplerate;
    const bool told = info.frames >= 0 && info.frames < std::numeric_limits<int64_t>::max() / 64;
    decoder->mFormat.frames = told ? info.frames : -1;
    return decoder;
}

Decoder::~Decoder() {
    if (mFile) sf_close(static_cast<SNDFILE*>(mFile));
}

int64_t Decoder::Read(int16_t* out, int64_t frames) {
    auto* file = static_cast<SNDFILE*>(mFile);
    const int32_t channels = mFormat.channels;
    int64_t done = 0;
    while (done < frames) {
        sf_count_t n = 0;
        if (mFloat) {
            const int64_t want = std::min<int64_t>(frames - done, kFloatFrames);
            mFloats.resize(static_cast<size_t>(want * channels));
            n = sf_readf_float(file, mFloats.data(), want);
            for (sf_count_t i = 0; i < n * channels; ++i) {
                out[done * channels + i] = ToShort(mFloats[static_cast<size_t>(i)]);
            }
        } else {
            n = sf_readf_short(file, out + done * channels, frames - done);
        }
        if (n <= 0) break;
        done += n;
    }
    return done;
}

bool Decoder::Rewind() {
    return sf_seek(static_cast<SNDFILE*>(mFile), 0, SEEK_SET) == 0;
}

} // namespace audio
