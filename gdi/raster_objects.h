// The objects behind the raster's handles, shared by the raster's own files.
// Nothing outside gdi/raster*.cpp and gdi/font*.cpp includes this.
#pragma once

#include <cstdint>
#include <memory>

#include "gdi/raster.h"

namespace gdi {

namespace detail {

constexpr COLORREF kColourBits = 0x00FFFFFFu;

// A colour as a one-bit bitmap stores it: the nearer of black and white.
inline uint8_t MonoFromColour(COLORREF c) {
    int sum = static_cast<int>(c & 0xFF) + static_cast<int>((c >> 8) & 0xFF) +
              static_cast<int>((c >> 16) & 0xFF);
    return sum * 2 > 3 * 255 ? 1 : 0;
}

// The drawing target of a context, or nullptr when it has none.
inline Bitmap* Target(HDC dc) {
    return dc ? dc->bitmap : nullptr;
}

// Whole-row fills used by every primitive; x range already clipped.
void FillSpan(Bitmap& bitmap, int y, int x0, int x1, COLORREF colour);

// Horizontal spans y, [x0, x1) clipped to the bitmap, colour in the bitmap's
// format chosen by the caller.
void FillClippedSpan(Bitmap& bitmap, int y, int x0, int x1, COLORREF colour);

Bitmap* DefaultBitmap();

// Drops the masked copy's tables of a bitmap that is being deleted.
void ForgetSpanTables(uint64_t serial);

// A block transfer's rectangles once the source rectangle is clipped to the
// source bitmap and then the destination rectangle to the destination bitmap.
struct Transfer {
    long long dx = 0, dy = 0, sx = 0, sy = 0, width = 0, height = 0;
};
// False when nothing is left to copy.
bool ClipTransfer(const Bitmap& dest, const Bitmap& source, int x, int y, int width, int height,
                  int sx, int sy, Transfer& out);

} // namespace detail
} // namespace gdi
