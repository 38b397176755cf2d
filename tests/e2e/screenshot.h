// Screenshots of the private X server, read back as pixels.
#pragma once

#include <string>
#include <vector>

#include "gdi/picture.h"
#include "gdi/raster.h"

struct Screenshot {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    gdi::COLORREF At(int x, int y) const {
        const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        return gdi::RGB(p[0], p[1], p[2]);
    }
    // The leftmost column holding the colour below a row, or -1.
    int FirstColumn(gdi::COLORREF colour, int fromRow) const {
        for (int x = 0; x < width; ++x) {
            for (int y = fromRow; y < height; ++y) {
                if (At(x, y) == colour) return x;
            }
        }
        return -1;
    }
    int Count(gdi::COLORREF colour) const {
        int n = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) n += At(x, y) == colour;
        }
        return n;
    }
};

// A binary PPM (P6, maxval 255) as written by ImageMagick; empty when not one.
Screenshot ReadPpm(const std::string& path);

// The whole screen of the display, through a PPM file at `path`.
Screenshot TakeScreenshot(const std::vector<std::string>& displayEnvironment,
                          const std::string& path);

// The share of a picture's opaque (non-black) pixels that the screenshot shows
// unchanged with the picture's top-left corner at (left, top).
double ShareShown(const Screenshot& shot, const gdi::Picture& picture, int left, int top);
