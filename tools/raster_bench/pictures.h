// Test pictures for the raster benchmark, as colour values (&H00BBGGRR) with
// black as the transparent colour.
#pragma once

#include <cstdint>
#include <vector>

namespace bench {

struct Image {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
};

// A mountain range with a few floating blobs: long transparent and long
// opaque runs, as the scenery and the monsters have.
Image LongRuns(int width, int height);

// Noise with about every third pixel transparent at random: the worst case
// for run skipping.
Image Scattered(int width, int height, uint32_t seed);

} // namespace bench
