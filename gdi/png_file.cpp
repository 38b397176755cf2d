#include "gdi/png_file.h"

#include <zlib.h>

#include <cstdio>
#include <vector>

#include "vb/runtime_error.h"

namespace gdi {
namespace {

void PutBigEndian(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

// A chunk: length, type, data and the CRC of type and data.
void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
    PutBigEndian(out, static_cast<uint32_t>(crc));
}

[[noreturn]] void Fail(const std::string& path) {
    throw vb::RuntimeError(vb::kErrPathFileAccess, "Path/File access error: '" + path + "'");
}

} // namespace

void SavePicturePng(const std::string& path, const Picture& picture, bool transparentBlack) {
    const int width = picture.width, height = picture.height;
    if (width < 1 || height < 1 || picture.pixels.size() != static_cast<size_t>(width) * height) {
        Fail(path);
    }
    // Each row: filter type 0 (none), then RGBA.
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(height) * (1 + 4 * static_cast<size_t>(width)));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < width; ++x) {
            const COLORREF c = picture.pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF;
            raw.push_back(static_cast<uint8_t>(c & 0xFF));
            raw.push_back(static_cast<uint8_t>((c >> 8) & 0xFF));
            raw.push_back(static_cast<uint8_t>((c >> 16) & 0xFF));
            raw.push_back(transparentBlack && c == 0 ? 0 : 255);
        }
    }
    std::vector<uint8_t> packed(compressBound(static_cast<uLong>(raw.size())));
    uLongf packedSize = static_cast<uLongf>(packed.size());
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()),
                  Z_BEST_COMPRESSION) != Z_OK) {
        Fail(path);
    }
    packed.resize(packedSize);

    std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBigEndian(header, static_cast<uint32_t>(width));
    PutBigEndian(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, filters, no interlace
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", packed);
    PutChunk(file, "IEND", {});

    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) Fail(path);
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    if (std::fclose(out) != 0 || !written) Fail(path);
}

} // namespace gdi
