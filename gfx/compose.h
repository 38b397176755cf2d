// The two-pass transparent copy shared by the surface and the animation strip.
#pragma once

#include "gdi/raster.h"

namespace gfx {

// Mask ANDed onto the destination, then the image ORed over it. A colour
// destination takes the raster's fused pass, which gives the same pixels and
// skips transparent runs.
inline void ComposeMasked(gdi::HDC dest, int x, int y, int width, int height, gdi::HDC image,
                          gdi::HDC mask, int sx, int sy) {
    if (!dest) return;
    if (mask && gdi::BitmapColourPixels(gdi::CurrentBitmap(dest))) {
        gdi::TransparentBlt(dest, x, y, width, height, image, mask, sx, sy);
    } else {
        if (mask) gdi::BitBlt(dest, x, y, width, height, mask, sx, sy, gdi::SRCAND);
        gdi::BitBlt(dest, x, y, width, height, image, sx, sy, gdi::SRCPAINT);
    }
}

} // namespace gfx
