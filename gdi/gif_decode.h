// Decoding the first image of a GIF file held in memory.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gdi/picture.h"

namespace gdi::gif {

// The first image's size, palette (with the transparent index as black),
// interlace flag and palette indices in the order the file holds the rows.
// False when the bytes are not a GIF, hold no image, or end before the
// image's last pixel.
bool DecodeFirstImage(const uint8_t* data, size_t size, DecodedPicture& picture);

} // namespace gdi::gif
