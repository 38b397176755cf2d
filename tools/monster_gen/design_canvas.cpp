#include "tools/monster_gen/design_canvas.h"

#include <algorithm>
#include <vector>

#include "gdi/pen_and_brush.h"

namespace monster_gen {

namespace {
// Floor division, so that negative design units scale the same way.
int32_t ScaleUnit(int32_t v, int32_t mul, int32_t div) {
    const int64_t n = static_cast<int64_t>(v) * mul;
    return static_cast<int32_t>(n >= 0 ? n / div : -((-n + div - 1) / div));
}
} // namespace

DesignCanvas::DesignCanvas(int32_t width, int32_t height, Scale scale)
    : mWidth(width), mHeight(height), mScale(scale),
      mPixels(ScaleUnit(width, scale.xMul, scale.xDiv), ScaleUnit(height, scale.yMul, scale.yDiv)) {
}

int32_t DesignCanvas::X(int32_t v) const {
    return ScaleUnit(v, mScale.xMul, mScale.xDiv);
}
int32_t DesignCanvas::Y(int32_t v) const {
    return ScaleUnit(v, mScale.yMul, mScale.yDiv);
}

template <class Draw> void DesignCanvas::Filled(gdi::COLORREF colour, Draw draw) {
    const gdi::HDC dc = mPixels.dc();
    gdi::WithPenAndBrush(dc, gdi::CreatePen(gdi::PS_SOLID, 1, colour),
                         gdi::CreateSolidBrush(colour), [&] { draw(dc); });
}

void DesignCanvas::Ellipse(int32_t cx, int32_t cy, int32_t rx, int32_t ry, gdi::COLORREF colour) {
    Filled(colour, [&](gdi::HDC dc) {
        gdi::Ellipse(dc, X(cx - rx), Y(cy - ry), X(cx + rx + 1), Y(cy + ry + 1));
    });
}

void DesignCanvas::Rect(int32_t left, int32_t top, int32_t right, int32_t bottom,
                        gdi::COLORREF colour) {
    // At least one pixel each way, however thin the design.
    const int32_t l = X(left), t = Y(top);
    mPixels.Fill(l, t, std::max(l + 1, X(right + 1)), std::max(t + 1, Y(bottom + 1)), colour);
}

void DesignCanvas::Polygon(std::initializer_list<gdi::POINT> points, gdi::COLORREF colour) {
    std::vector<gdi::POINT> list;
    for (const gdi::POINT& p : points) list.push_back({X(p.x), Y(p.y)});
    Filled(colour,
           [&](gdi::HDC dc) { gdi::Polygon(dc, list.data(), static_cast<int>(list.size())); });
}

void DesignCanvas::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t width,
                        gdi::COLORREF colour) {
    const gdi::HDC dc = mPixels.dc();
    gdi::HPEN pen = gdi::CreatePen(gdi::PS_SOLID, std::max(1, X(width)), colour);
    gdi::HGDIOBJ old = gdi::SelectObject(dc, pen);
    gdi::MoveToEx(dc, X(x1), Y(y1), nullptr);
    gdi::LineTo(dc, X(x2), Y(y2));
    gdi::SetPixelV(dc, X(x2), Y(y2), colour);
    gdi::SelectObject(dc, old);
    gdi::DeleteObject(pen);
}

} // namespace monster_gen
