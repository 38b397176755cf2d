// Plain contexts to draw into and small GIF files for the graphics tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gdi/memory_canvas.h"
#include "gdi/picture.h"
#include "gdi/raster.h"
#include "support/temp_dir.h"

using Canvas = gdi::MemoryCanvas;

// A GIF of exactly these pixels (row-major); black stays an ordinary colour.
inline std::string WriteGif(const TempDir& dir, const std::string& name, int width, int height,
                            const std::vector<gdi::COLORREF>& pixels) {
    gdi::Picture picture;
    picture.width = width;
    picture.height = height;
    picture.pixels = pixels;
    const std::string path = (dir.path() / name).string();
    gdi::SavePictureGif(path, picture, false);
    return path;
}

// Every pixel of a surface as its GetPixel reads it.
template <class Surface> std::vector<int32_t> SurfacePixels(Surface& s, int width, int height) {
    std::vector<int32_t> out;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) out.push_back(s.GetPixel(x, y));
    return out;
}
