#include "audio/decoder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <new>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include "audio/bass.h"

namespace audio {

// A file region or a memory copy, read by position: libsndfile seeks freely.
struct Decoder::Input {
    int fd = -1;
    uint64_t base = 0;
    std::vector<char> bytes;
    sf_count_t size = 0;
    sf_count_t position = 0;

    ~Input() {
        if (fd >= 0) close(fd);
    }
};

namespace {

using Input = Decoder::Input;

sf_count_t Length(void* user) {
    return static_cast<Input*>(user)->size;
}

sf_count_t Seek(sf_count_t offset, int whence, void* user) {
    auto* in = static_cast<Input*>(user);
    sf_count_t to = offset;
    if (whence == SEEK_CUR) to = in->position + offset;
    if (whence == SEEK_END) to = in->size + offset;
    if (to < 0 || to > in->size) return -1;
    in->position = to;
    return to;
}

sf_count_t Read(void* out, sf_count_t count, void* user) {
    auto* in = static_cast<Input*>(user);
    count = std::clamp<sf_count_t>(count, 0, in->size - in->position);
    if (count == 0) return 0;
    if (in->fd < 0) {
        std::memcpy(out, in->bytes.data() + in->position, static_cast<size_t>(count));
    } else {
        sf_count_t done = 0;
        while (done < count) {
            const ssize_t n =
                pread(in->fd, static_cast<char*>(out) + done, static_cast<size_t>(count - done),
                      static_cast<off_t>(in->base + in->position + done));
            if (n <= 0) break;
            done += n;
        }
        count = done;
    }
    in->position += count;
    return count;
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

std::unique_ptr<Decoder> Decoder::OpenFile(const char* path, uint64_t offset, uint64_t length,
                                           int32_t* error) {
    auto input = std::make_unique<Input>();
    input->fd = (path && *path) ? open(path, O_RDONLY | O_CLOEXEC) : -1;
    struct stat info {};
    if (input->fd < 0 || fstat(input->fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        offset > static_cast<uint64_t>(info.st_size)) {
        *error = BASS_ERROR_FILEOPEN;
        return nullptr;
    }
    const uint64_t rest = static_cast<uint64_t>(info.st_size) - offset;
    input->base = offset;
    input->size = static_cast<sf_count_t>(length == 0 ? rest : std::min(length, rest));
    return Open(std::move(input), error);
}

std::unique_ptr<Decoder> Decoder::OpenMemory(const void* data, uint64_t length, int32_t* error) {
    if (!data || length == 0) {
        *error = BASS_ERROR_FILEOPEN;
        return nullptr;
    }
    auto input = std::make_unique<Input>();
    try {
        const char* bytes = static_cast<const char*>(data);
        input->bytes.assign(bytes, bytes + length);
    } catch (const std::bad_alloc&) {
        *error = BASS_ERROR_MEM;
        return nullptr;
    }
    input->size = static_cast<sf_count_t>(length);
    return Open(std::move(input), error);
}

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
