// A colour drawing surface on the gdi raster for the art generator: shapes and
// text in plain colours, pixels read back for compositing and saving.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gdi/picture.h"
#include "gdi/raster.h"

namespace art {

using Colour = gdi::COLORREF;

struct FontChoice {
    std::string face = "Liberation Sans";
    int pixelHeight = 20; // character height
    bool bold = true;
};

class Canvas {
  public:
    Canvas(int width, int height); // black
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int Width() const { return mWidth; }
    int Height() const { return mHeight; }

    void Clear(Colour colour = 0);
    // Filled shapes without outline; right and bottom excluded.
    void Fill(int left, int top, int right, int bottom, Colour colour);
    void Ellipse(int left, int top, int right, int bottom, Colour colour);
    void Polygon(const std::vector<gdi::POINT>& points, Colour colour);
    // One line of text with its top-left corner at (left, top).
    void Text(const std::string& text, const FontChoice& font, int left, int top, Colour colour);
    // Width of a text line in pixels.
    int TextWidth(const std::string& text, const FontChoice& font);

    std::vector<Colour> Pixels() const;
    void SetPixels(const std::vector<Colour>& pixels);
    gdi::Picture ToPicture() const;

  private:
    int mWidth, mHeight;
    gdi::HDC mDC = nullptr;
    gdi::HBITMAP mBitmap = nullptr;
    gdi::HGDIOBJ mDisplaced = nullptr;
};

} // namespace art
