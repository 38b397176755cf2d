// A memory context with a bitmap of its own, colour or one bit deep, for
// drawing tools and tests: flat-colour shapes, the pixels read back and
// written, and everything released with the object.
#pragma once

#include <vector>

#include "gdi/picture.h"
#include "gdi/raster.h"

namespace gdi {

class MemoryCanvas {
  public:
    enum Depth { kColour, kOneBit };

    // Black, or `fill`. Throws when the bitmap cannot be made.
    MemoryCanvas(int width, int height, Depth depth = kColour);
    MemoryCanvas(int width, int height, COLORREF fill, Depth depth = kColour);
    ~MemoryCanvas();
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    int Width() const { return mWidth; }
    int Height() const { return mHeight; }
    HDC dc() const { return mDC; }
    HBITMAP bitmap() const { return mBitmap; }

    // Filled shapes of one colour without an outline; right and bottom
    // excluded.
    void Clear(COLORREF colour = 0);
    void Fill(int left, int top, int right, int bottom, COLORREF colour);
    void Ellipse(int left, int top, int right, int bottom, COLORREF colour);
    void Polygon(const std::vector<POINT>& points, COLORREF colour);

    COLORREF At(int x, int y) const { return GetPixel(mDC, x, y); }
    // Row by row; a one-bit canvas reads 0 and 0xFFFFFF.
    std::vector<COLORREF> Pixels() const;
    // Colour canvases: as many pixels as given, from the top left.
    void SetPixels(const std::vector<COLORREF>& pixels);
    Picture ToPicture() const;

  private:
    int mWidth, mHeight;
    HDC mDC = nullptr;
    HBITMAP mBitmap = nullptr;
    HGDIOBJ mDisplaced = nullptr;
};

} // namespace gdi
