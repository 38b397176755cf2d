// The decoder for the browser, where the game's sounds (all Ogg Vorbis) are
// decoded by vorbisfile alone: libsndfile would bring every format it knows.
// The same floats as libsndfile's Vorbis reading, converted the same way.

// vorbisfile's own callbacks read through stdio, which we never use.
#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

#include "audio/bass.h"
#include "audio/decoder.h"
#include "audio/decoder_input.h"

namespace audio {

namespace {

using Input = Decoder::Input;

size_t ReadBytes(void* out, size_t size, size_t count, void* user) {
    if (size == 0 || count == 0) return 0;
    const uint64_t asked = count > UINT64_MAX / size ? UINT64_MAX : uint64_t{size} * count;
    const int64_t done = static_cast<Input*>(user)->Read(
        out, static_cast<int64_t>(std::min<uint64_t>(asked, INT64_MAX)));
    // vorbisfile counts in bytes (it asks with size 1).
    return static_cast<size_t>(done) / size;
}

int SeekBytes(void* user, ogg_int64_t offset, int whence) {
    return static_cast<Input*>(user)->Seek(offset, whence) ? 0 : -1;
}

long TellBytes(void* user) {
    return static_cast<long>(static_cast<Input*>(user)->position);
}

// The Input is the Decoder's: nothing to close here.
const ov_callbacks kInputCalls = {&ReadBytes, &SeekBytes, nullptr, &TellBytes};

int16_t ToShort(float value) {
    return static_cast<int16_t>(std::lrint(std::clamp(value * 32768.0f, -32768.0f, 32767.0f)));
}

// A gap in the pages is skipped; so many in a row means the data is broken.
constexpr int kMostHolesInARow = 64;

} // namespace

std::unique_ptr<Decoder> Decoder::Open(std::unique_ptr<Input> input, int32_t* error) {
    auto file = std::make_unique<OggVorbis_File>();
    if (ov_open_callbacks(input.get(), file.get(), nullptr, 0, kInputCalls) != 0) {
        *error = BASS_ERROR_FORMAT; // ov_open_callbacks has cleared up after itself
        return nullptr;
    }
    const vorbis_info* info = ov_info(file.get(), -1);
    if (!info || info->channels < 1 || info->rate < 1 ||
        info->rate > std::numeric_limits<int32_t>::max()) {
        ov_clear(file.get());
        *error = BASS_ERROR_FORMAT;
        return nullptr;
    }
    std::unique_ptr<Decoder> decoder(new Decoder);
    decoder->mFloat = true;
    decoder->mInput = std::move(input);
    decoder->mFormat.channels = info->channels;
    decoder->mFormat.rate = static_cast<int32_t>(info->rate);
    const ogg_int64_t total = ov_pcm_total(file.get(), -1);
    decoder->mFormat.frames = total >= 0 ? total : -1;
    decoder->mFile = file.release();
    return decoder;
}

Decoder::~Decoder() {
    if (auto* file = static_cast<OggVorbis_File*>(mFile)) {
        ov_clear(file);
        delete file;
    }
}

int64_t Decoder::Read(int16_t* out, int64_t frames) {
    auto* file = static_cast<OggVorbis_File*>(mFile);
    const int32_t channels = mFormat.channels;
    int64_t done = 0;
    int holes = 0;
    while (done < frames) {
        float** pcm = nullptr;
        int link = 0;
        const int want = static_cast<int>(std::min<int64_t>(frames - done, 4096));
        const long n = ov_read_float(file, &pcm, want, &link);
        if (n == OV_HOLE && ++holes < kMostHolesInARow) continue;
        if (n <= 0) break;
        holes = 0;
        // A chained stream whose next link has other channels ends here.
        const vorbis_info* info = ov_info(file, link);
        if (!info || info->channels != channels) break;
        for (long i = 0; i < n; ++i) {
            for (int32_t c = 0; c < channels; ++c) {
                out[(done + i) * channels + c] = ToShort(pcm[c][i]);
            }
        }
        done += n;
    }
    return done;
}

bool Decoder::Rewind() {
    return ov_pcm_seek(static_cast<OggVorbis_File*>(mFile), 0) == 0;
}

} // namespace audio
