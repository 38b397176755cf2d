#include "audio/decoder_input.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

#include "audio/bass.h"

namespace audio {

Decoder::Input::~Input() {
    if (fd >= 0) close(fd);
}

int64_t Decoder::Input::Read(void* out, int64_t count) {
    count = std::clamp<int64_t>(count, 0, size - position);
    if (count == 0) return 0;
    int64_t done = 0;
    if (fd < 0) {
        std::memcpy(out, bytes.data() + position, static_cast<size_t>(count));
        done = count;
    } else {
        while (done < count) {
            const ssize_t n =
                pread(fd, static_cast<char*>(out) + done, static_cast<size_t>(count - done),
                      static_cast<off_t>(base + static_cast<uint64_t>(position + done)));
            if (n <= 0) break;
            done += n;
        }
    }
    position += done;
    return done;
}

bool Decoder::Input::Seek(int64_t offset, int whence) {
    int64_t to = offset;
    if (whence == SEEK_CUR) to = position + offset;
    if (whence == SEEK_END) to = size + offset;
    if (to < 0 || to > size) return false;
    position = to;
    return true;
}

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

} // namespace audio
