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
#include <fcntl.h>
#include <limits>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

#include "audio/bass.h"
#include "audio/decoder.h"

namespace audio {

// A file region or a memory copy, read by position.
struct Decoder::Input {
    int fd = -1;
    uint64_t base = 0;
    std::vector<char> bytes;
    int64_t size = 0;
    int64_t position = 0;

    ~Input() {
        if (fd >= 0) close(fd);
    }
};

namespace {

using Input = Decoder::Input;

size_t ReadBytes(void* out, size_t size, size_t count, void* user) {
    auto* in = static_cast<Input*>(user);
    if (size == 0 || count == 0) return 0;
    const uint64_t asked = count > UINT64_MAX / size ? UINT64_MAX : uint64_t{size} * count;
    const auto want = static_cast<int64_t>(
        std::min<uint64_t>(asked, static_cast<uint64_t>(in->size - in->position)));
    if (want == 0) return 0;
    int64_t done = 0;
    if (in->fd < 0) {
        std::memcpy(out, in->bytes.data() + in->position, static_cast<size_t>(want));
        done = want;
    } else {
        while (done < want) {
            const ssize_t n =
                pread(in->fd, static_cast<char*>(out) + done, static_cast<size_t>(want - done),
                      static_cast<off_t>(in->base + static_cast<uint64_t>(in->position + done)));
            if (n <= 0) break;
            done += n;
        }
    }
    in->position += done;
    // vorbisfile counts in bytes (it asks with size 1).
    return static_cast<size_t>(done) / size;
}

int SeekBytes(void* user, ogg_int64_t offset, int whence) {
    auto* in = static_cast<Input*>(user);
    int64_t to = offset;
    if (whence == SEEK_CUR) to = in->position + offset;
    if (whence == SEEK_END) to = in->size + offset;
    if (to < 0 || to > in->size) return -1;
    in->position = to;
    return 0;
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
    input->size = static_cast<int64_t>(length == 0 ? rest : std::min(length, rest));
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
    input->size = static_cast<int64_t>(length);
    return Open(std::move(input), error);
}

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
