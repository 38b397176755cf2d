// GIF pictures in and out, with giflib. Pixels are the game's colour values.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gdi/raster.h"

namespace gdi {

struct Picture {
    int32_t width = 0, height = 0;
    std::vector<COLORREF> pixels; // row-major, &H00BBGGRR
};

// The first image of a GIF file as palette indices, before its colours are
// laid out: callers put them straight where they are wanted (a bitmap), so a
// giant picture is never held twice in colour.
struct DecodedPicture {
    int32_t width = 0, height = 0;
    bool interlaced = false;
    COLORREF colours[256] = {};         // the palette; the transparent index reads black
    std::unique_ptr<uint8_t[]> indices; // rows in the order the file holds them

    // Writes width x height colour values, rows in picture order.
    void ToColours(COLORREF* out) const;
};

// Decodes the first image of a GIF file. Memory grows only as image data
// arrives, so a file that claims a huge size without the data for it fails
// early. Raises runtime error 53 "File not found" for a missing file and 481
// "Invalid picture" for one that cannot be decoded, each naming the path.
DecodedPicture DecodePicture(const std::string& path);

// The first image of a GIF file through its palette; the transparent index,
// where there is one, reads as black (0); interlaced files are de-interlaced.
// Raises as DecodePicture.
Picture LoadPicture(const std::string& path);

// A copy of a colour bitmap's pixels (a view, a sprite's surface); an empty
// picture for a one-bit bitmap or none.
Picture BitmapPicture(HBITMAP bitmap);

// Writes a picture of at most 256 colours as a GIF (black is written as the
// transparent index when withTransparentBlack). Deterministic: the same
// picture gives the same bytes. Throws vb::RuntimeError on failure.
void SavePictureGif(const std::string& path, const Picture& picture,
                    bool withTransparentBlack = true, bool interlaced = false);

} // namespace gdi
