// The bytes a decoder's library reads: a region of a file, read by position
// so that the file is never held in memory, or a copy of a block of memory.
// Both decoders' libraries seek freely within them.
#pragma once

#include <cstdint>
#include <vector>

#include "audio/decoder.h"

namespace audio {

struct Decoder::Input {
    int fd = -1;
    uint64_t base = 0; // where the region starts in the file
    std::vector<char> bytes;
    int64_t size = 0;
    int64_t position = 0;

    Input() = default;
    Input(const Input&) = delete;
    Input& operator=(const Input&) = delete;
    ~Input();

    // Up to `count` bytes from the position on, advancing past them; fewer
    // at the end or where the file breaks off.
    int64_t Read(void* out, int64_t count);
    // To `offset` from the start, the position or the end (SEEK_SET,
    // SEEK_CUR, SEEK_END); false, and not moved, outside the bytes.
    bool Seek(int64_t offset, int whence);
};

} // namespace audio
