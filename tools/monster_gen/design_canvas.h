// A monster's picture painted in design units: a memory canvas, black
// (transparent) at the start, painted with flat colours and no smoothing, so
// that every pixel keeps exactly the class its colour was chosen for.
//
// Shapes are given in design units, square on the screen; the scale turns
// them into game pixels, which show twice as tall as wide.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "gdi/memory_canvas.h"

namespace monster_gen {

// Game pixels per design unit: x * xMul / xDiv, y * yMul / yDiv.
struct Scale {
    int32_t xMul = 1, xDiv = 1, yMul = 1, yDiv = 2;
};
// One design unit per game pixel across, two design units per game pixel down.
constexpr Scale kScreenShape{1, 1, 1, 2};

class DesignCanvas {
  public:
    // A canvas of width x height design units.
    DesignCanvas(int32_t width, int32_t height, Scale scale = kScreenShape);

    // Design units.
    int32_t Width() const { return mWidth; }
    int32_t Height() const { return mHeight; }

    // Filled ellipse covering cx - rx .. cx + rx and cy - ry .. cy + ry.
    void Ellipse(int32_t cx, int32_t cy, int32_t rx, int32_t ry, gdi::COLORREF colour);
    // Filled rectangle covering left..right and top..bottom, all inclusive.
    void Rect(int32_t left, int32_t top, int32_t right, int32_t bottom, gdi::COLORREF colour);
    // Filled polygon, its outline included.
    void Polygon(std::initializer_list<gdi::POINT> points, gdi::COLORREF colour);
    // A line of the given width, both ends included.
    void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t width, gdi::COLORREF colour);

    gdi::Picture ToPicture() const { return mPixels.ToPicture(); }

  private:
    int32_t X(int32_t v) const;
    int32_t Y(int32_t v) const;
    // Pen and brush of one colour, so that a shape's outline is part of its fill.
    template <class Draw> void Filled(gdi::COLORREF colour, Draw draw);

    int32_t mWidth, mHeight;
    Scale mScale;
    gdi::MemoryCanvas mPixels;
};

} // namespace monster_gen
