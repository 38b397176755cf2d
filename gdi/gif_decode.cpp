// GIF decoding of our own: the file's records, then the image's LZW data
// expanded straight into palette indices. Several times faster than giflib's
// row-at-a-time decoder, which made a giant monster stall the game.
#include "gdi/gif_decode.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace gdi::gif {

namespace {

// Largest picture accepted, in pixels; guards against absurd headers.
constexpr int64_t kMaxPixels = int64_t{1} << 28;
constexpr int kMaxCodes = 4096;

struct Cursor {
    const uint8_t* data;
    size_t size, at = 0;
    bool Has(size_t n) const { return size - at >= n && at <= size; }
    uint8_t Byte() { return data[at++]; }
    int Word() {
        const int v = data[at] | (data[at + 1] << 8);
        at += 2;
        return v;
    }
};

// Reads a colour table of `entries` into the picture's palette.
bool ReadColours(Cursor& in, int entries, COLORREF (&colours)[256]) {
    if (!in.Has(static_cast<size_t>(entries) * 3)) return false;
    for (int i = 0; i < entries; ++i) {
        const uint8_t r = in.Byte(), g = in.Byte(), b = in.Byte();
        colours[i] = RGB(r, g, b);
    }
    return true;
}

// The sub-blocks of a record joined, up to the block terminator.
bool JoinSubBlocks(Cursor& in, std::vector<uint8_t>* joined) {
    for (;;) {
        if (!in.Has(1)) return false;
        const uint8_t n = in.Byte();
        if (n == 0) return true;
        if (!in.Has(n)) return false;
        if (joined) joined->insert(joined->end(), in.data + in.at, in.data + in.at + n);
        in.at += n;
    }
}

// The most pixels `bytes` of LZW data can stand for, counted as the decoder
// reads them: codes start at minCodeSize + 1 bits and widen as the table
// fills, each code's string is at most one longer than the one before, and
// none is longer than the table. A clear code only starts the slow growth
// again, so the most come from data without one. A file that claims a huge
// size without the data for it is found out before anything of that size is
// reserved.
size_t MostPixels(size_t bytes, int minCodeSize) {
    uint64_t bits = static_cast<uint64_t>(bytes) * 8, pixels = 0, length = 0;
    int width = minCodeSize + 1, next = (1 << minCodeSize) + 2;
    for (bool first = true; bits >= static_cast<uint64_t>(width); first = false) {
        if (next >= kMaxCodes) {
            // A full table: every further code at most the longest string.
            pixels += bits / width * kMaxCodes;
            break;
        }
        bits -= width;
        length = std::min<uint64_t>(length + 1, kMaxCodes);
        pixels += length;
        if (first) continue; // the first code after a clear adds no entry
        ++next;
        if (next == (1 << width) && width < 12) ++width;
    }
    return static_cast<size_t>(std::min<uint64_t>(pixels, SIZE_MAX));
}

// Expands the LZW data into exactly `pixels` indices; false when the data
// ends (or says it ends) first, or holds a code that cannot occur.
bool Expand(const std::vector<uint8_t>& data, int minCodeSize, size_t pixels,
            std::unique_ptr<uint8_t[]>& out) {
    if (minCodeSize < 2 || minCodeSize > 8) return false;
    if (MostPixels(data.size(), minCodeSize) < pixels) return false;
    const int clear = 1 << minCodeSize, end = clear + 1;
    static thread_local uint16_t prefix[kMaxCodes], length[kMaxCodes];
    static thread_local uint8_t suffix[kMaxCodes], first[kMaxCodes];
    for (int c = 0; c < clear; ++c) {
        prefix[c] = 0;
        length[c] = 1;
        suffix[c] = first[c] = static_cast<uint8_t>(c);
    }
    out.reset(new uint8_t[pixels]); // every byte is written below before it is read
    int codeSize = minCodeSize + 1, next = clear + 2, previous = -1;
    uint64_t bits = 0;
    int held = 0;
    size_t at = 0, produced = 0;
    while (produced < pixels) {
        while (held < codeSize) {
            if (at == data.size()) return false;
            bits |= static_cast<uint64_t>(data[at++]) << held;
            held += 8;
        }
        const int code = static_cast<int>(bits & ((1u << codeSize) - 1));
        bits >>= codeSize;
        held -= codeSize;
        if (code == clear) {
            codeSize = minCodeSize + 1;
            next = clear + 2;
            previous = -1;
            continue;
        }
        if (code == end) return false;
        if (code > next || (code == next && previous < 0)) return false;
        if (previous >= 0 && next < kMaxCodes) {
            // The new entry: the previous string and the first character of
            // this one (of the previous one again when this is the new entry).
            prefix[next] = static_cast<uint16_t>(previous);
            first[next] = first[previous];
            suffix[next] = code == next ? first[previous] : first[code];
            length[next] = static_cast<uint16_t>(length[previous] + 1);
            ++next;
            if (next == (1 << codeSize) && codeSize < 12) ++codeSize;
        }
        // The string of the code, written from its end backwards; the part
        // past the last pixel is not kept.
        const size_t n = length[code];
        const size_t keep = std::min(n, pixels - produced);
        uint8_t* dest = out.get() + produced;
        int c = code;
        for (size_t i = n; i-- > keep;) c = prefix[c];
        for (size_t i = keep; i-- > 0;) {
            dest[i] = suffix[c];
            c = prefix[c];
        }
        produced += keep;
        previous = code;
    }
    return true;
}

} // namespace

bool DecodeFirstImage(const uint8_t* data, size_t size, DecodedPicture& picture) {
    Cursor in{data, size};
    if (!in.Has(13) || std::memcmp(data, "GIF", 3) != 0) return false;
    in.at = 6;
    in.Word(); // the logical screen's size: the image keeps its own
    in.Word();
    const uint8_t screenFlags = in.Byte();
    in.at += 2; // background index, aspect
    COLORREF global[256] = {};
    const bool hasGlobal = (screenFlags & 0x80) != 0;
    if (hasGlobal && !ReadColours(in, 2 << (screenFlags & 7), global)) return false;

    int transparent = -1;
    for (;;) {
        if (!in.Has(1)) return false;
        const uint8_t record = in.Byte();
        if (record == 0x21) { // extension
            if (!in.Has(1)) return false;
            const uint8_t label = in.Byte();
            if (label == 0xF9 && in.Has(6) && in.data[in.at] >= 4) {
                const uint8_t flags = in.data[in.at + 1];
                transparent = (flags & 1) ? in.data[in.at + 4] : -1;
            }
            if (!JoinSubBlocks(in, nullptr)) return false;
            continue;
        }
        if (record != 0x2C) return false; // the trailer, or no record at all: no image
        if (!in.Has(9)) return false;
        in.Word(); // left and top: the image keeps its own place
        in.Word();
        const int width = in.Word(), height = in.Word();
        const uint8_t flags = in.Byte();
        if (width < 1 || height < 1 || int64_t{width} * height > kMaxPixels) return false;
        picture = DecodedPicture{};
        picture.width = width;
        picture.height = height;
        picture.interlaced = (flags & 0x40) != 0;
        if (flags & 0x80) {
            if (!ReadColours(in, 2 << (flags & 7), picture.colours)) return false;
        } else if (hasGlobal) {
            std::memcpy(picture.colours, global, sizeof(global));
        } else {
            return false; // no palette at all
        }
        if (transparent >= 0) picture.colours[transparent] = 0;
        if (!in.Has(1)) return false;
        const int minCodeSize = in.Byte();
        // A file cut inside its image data still decodes when what it holds
        // is enough for every pixel, so the end of the blocks is not required.
        std::vector<uint8_t> lzw;
        JoinSubBlocks(in, &lzw);
        return Expand(lzw, minCodeSize, static_cast<size_t>(width) * height, picture.indices);
    }
}

} // namespace gdi::gif
