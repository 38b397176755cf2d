#include "support/png_read.h"

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

uint32_t BigEndian(const std::string& bytes, size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) << 24 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3]));
}

} // namespace

gdi::Picture ReadOwnPng(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    gdi::Picture picture;
    std::string packed;
    for (size_t at = 8; at + 12 <= bytes.size();) {
        const uint32_t length = BigEndian(bytes, at);
        const std::string type = bytes.substr(at + 4, 4);
        if (type == "IHDR") {
            picture.width = static_cast<int32_t>(BigEndian(bytes, at + 8));
            picture.height = static_cast<int32_t>(BigEndian(bytes, at + 12));
        }
        if (type == "IDAT") packed += bytes.substr(at + 8, length);
        at += 12 + static_cast<size_t>(length);
    }
    // No view is larger; a broken header reserves nothing.
    if (picture.width < 1 || picture.height < 1 || picture.width > 16384 || picture.height > 16384)
        return {};
    std::vector<uint8_t> raw(static_cast<size_t>(picture.height) * (1 + 4 * picture.width));
    uLongf size = static_cast<uLongf>(raw.size());
    if (uncompress(raw.data(), &size, reinterpret_cast<const Bytef*>(packed.data()),
                   static_cast<uLong>(packed.size())) != Z_OK ||
        size != raw.size())
        return {};
    for (int32_t y = 0; y < picture.height; ++y) {
        const uint8_t* row = raw.data() + static_cast<size_t>(y) * (1 + 4 * picture.width);
        if (*row++ != 0) return {}; // a filtered row: not ours
        for (int32_t x = 0; x < picture.width; ++x)
            picture.pixels.push_back(gdi::RGB(row[4 * x], row[4 * x + 1], row[4 * x + 2]));
    }
    return picture;
}
