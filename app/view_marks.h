// Drawing over the view on its way to the window, undone afterwards: what
// each mark covers is kept, row by row, and put back in reverse order. The
// game reads its view back (its checksum, the next frame's uncovered parts),
// so nothing drawn here may stay in it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gdi/raster.h"

class ViewMarks {
  public:
    // Marks on the view's colour bitmap; none when it has none.
    explicit ViewMarks(gdi::HDC view);
    ~ViewMarks() { Undo(); }
    ViewMarks(const ViewMarks&) = delete;
    ViewMarks& operator=(const ViewMarks&) = delete;

    bool Usable() const { return mPixels != nullptr; }
    int32_t Width() const { return mWidth; }
    int32_t Height() const { return mHeight; }
    // The view's pixel, or -1 outside it.
    int64_t Pixel(int32_t x, int32_t y) const;
    bool Empty() const { return mKept.empty(); }

    void Fill(gdi::RECT area, gdi::COLORREF colour);
    // A quarter as bright, as the pause dims its band.
    void Dim(gdi::RECT area);
    // Pixels of exactly `from` in the area become `to`.
    void Recolour(gdi::RECT area, gdi::COLORREF from, gdi::COLORREF to);
    // A ring `thickness` pixels wide whose outer edge is `radius` from the
    // centre.
    void Ring(int32_t centreX, int32_t centreY, int32_t radius, int32_t thickness,
              gdi::COLORREF colour);
    // One line of the game's lettering (Arial), clipped to the area.
    void Text(gdi::RECT area, const std::string& text, double size, bool bold, gdi::COLORREF colour,
              uint32_t format);

    // Puts back everything under the marks: the view as it was.
    void Undo();

  private:
    // Keeps the area's rows; false (nothing to draw) when it misses the view.
    bool Keep(gdi::RECT& area);

    struct Kept {
        gdi::RECT area;
        std::vector<gdi::COLORREF> pixels;
    };
    gdi::HDC mView = nullptr;
    gdi::HBITMAP mBitmap = nullptr;
    gdi::COLORREF* mPixels = nullptr;
    int32_t mWidth = 0, mHeight = 0;
    std::vector<Kept> mKept;
};
