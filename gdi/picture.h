// GIF pictures in and out, with giflib. Pixels are the game's colour values.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gdi/raster.h"

namespace gdi {

struct Picture {
    int32_t width = 0, height = 0;
    std::vector<COLORREF> pixels; // row-major, &H00BBGGRR
};

// The first image of a GIF file through its palette; the transparent index,
// where there is one, reads as black (0); interlaced files are de-interlaced.
// Raises runtime error 53 "File not found" for a missing file and 481
// "Invalid picture" for one that cannot be decoded, each naming the path.
Picture LoadPicture(const std::string& path);

// Writes a picture of at most 256 colours as a GIF (black is written as the
// transparent index when withTransparentBlack). Deterministic: the same
// picture gives the same bytes. Throws vb::RuntimeError on failure.
void SavePictureGif(const std::string& path, const Picture& picture,
                    bool withTransparentBlack = true, bool interlaced = false);

} // namespace gdi
