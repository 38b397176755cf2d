#include "pictures.h"

#include <cmath>
#include <random>

namespace bench {

Image LongRuns(int width, int height) {
    Image img{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, 0)};
    for (int x = 0; x < width; ++x) {
        const double ridge = 0.55 + 0.18 * std::sin(x * 0.007) + 0.07 * std::sin(x * 0.031 + 1.3) +
                             0.02 * std::sin(x * 0.13);
        const int top = static_cast<int>(height * (1.0 - ridge));
        for (int y = std::max(top, 0); y < height; ++y) {
            const uint32_t shade = 60 + static_cast<uint32_t>((y - top) * 120 / height);
            img.pixels[static_cast<size_t>(y) * width + x] = shade | (shade + 20) << 8 | 40u << 16;
        }
    }
    // Floating blobs in the sky.
    for (int k = 0; k < 6; ++k) {
        const double cx = width * (0.1 + 0.15 * k), cy = height * (0.15 + 0.04 * (k % 3));
        const double rx = width * 0.06, ry = height * 0.05;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const double dx = (x - cx) / rx, dy = (y - cy) / ry;
                if (dx * dx + dy * dy <= 1)
                    img.pixels[static_cast<size_t>(y) * width + x] = 0xE0E0E0;
            }
    }
    return img;
}

Image Scattered(int width, int height, uint32_t seed) {
    Image img{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, 0)};
    std::mt19937 rng(seed);
    for (uint32_t& p : img.pixels) p = rng() % 3 == 0 ? 0 : (rng() & 0xFFFFFF) | 1;
    return img;
}

} // namespace bench
