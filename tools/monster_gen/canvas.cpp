#include "tools/monster_gen/canvas.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace monster_gen {

namespace {
// Floor division, so that negative design units scale the same way.
int32_t ScaleUnit(int32_t v, int32_t mul, int32_t div) {
    const int64_t n = static_cast<int64_t>(v) * mul;
    return static_cast<int32_t>(n >= 0 ? n / div : -((-n + div - 1) / div));
}
} // namespace

Canvas::Canvas(int32_t width, int32_t height, Scale scale)
    : mWidth(width), mHeight(height), mScale(scale) {
    mPixelsW = X(width);
    mPixelsH = Y(height);
    gdi::HDC screen = gdi::GetDC(nullptr);
    mDC = gdi::CreateCompatibleDC(screen);
    mBitmap = gdi::CreateCompatibleBitmap(screen, mPixelsW, mPixelsH);
    gdi::ReleaseDC(nullptr, screen);
    if (!mDC || !mBitmap) throw std::runtime_error("no memory for a monster picture");
    mDisplaced = gdi::SelectObject(mDC, mBitmap);
}

Canvas::~Canvas() {
    gdi::SelectObject(mDC, mDisplaced);
    gdi::DeleteObject(mBitmap);
    gdi::DeleteDC(mDC);
}

int32_t Canvas::X(int32_t v) const {
    return ScaleUnit(v, mScale.xMul, mScale.xDiv);
}
int32_t Canvas::Y(int32_t v) const {
    return ScaleUnit(v, mScale.yMul, mScale.yDiv);
}

// Pen and brush of one colour, so that a shape's outline is part of its fill.
void Canvas::Fill(gdi::COLORREF colour) {
    mPen = gdi::CreatePen(gdi::PS_SOLID, 1, colour);
    mBrush = gdi::CreateSolidBrush(colour);
    mOldPen = gdi::SelectObject(mDC, mPen);
    mOldBrush = gdi::SelectObject(mDC, mBrush);
}

void Canvas::Unfill() {
    gdi::SelectObject(mDC, mOldPen);
    gdi::SelectObject(mDC, mOldBrush);
    gdi::DeleteObject(mPen);
    gdi::DeleteObject(mBrush);
}

void Canvas::Ellipse(int32_t cx, int32_t cy, int32_t rx, int32_t ry, gdi::COLORREF colour) {
    Fill(colour);
    gdi::Ellipse(mDC, X(cx - rx), Y(cy - ry), X(cx + rx + 1), Y(cy + ry + 1));
    Unfill();
}

void Canvas::Rect(int32_t left, int32_t top, int32_t right, int32_t bottom, gdi::COLORREF colour) {
    // At least one pixel each way, however thin the design.
    const int32_t l = X(left), t = Y(top);
    gdi::FillSolidRect(mDC, l, t, std::max(l + 1, X(right + 1)), std::max(t + 1, Y(bottom + 1)),
                       colour);
}

void Canvas::Polygon(std::initializer_list<gdi::POINT> points, gdi::COLORREF colour) {
    std::vector<gdi::POINT> list;
    for (const gdi::POINT& p : points) list.push_back({X(p.x), Y(p.y)});
    Fill(colour);
    gdi::Polygon(mDC, list.data(), static_cast<int>(list.size()));
    Unfill();
}

void Canvas::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t width,
                  gdi::COLORREF colour) {
    gdi::HPEN pen = gdi::CreatePen(gdi::PS_SOLID, std::max(1, X(width)), colour);
    gdi::HGDIOBJ old = gdi::SelectObject(mDC, pen);
    gdi::MoveToEx(mDC, X(x1), Y(y1), nullptr);
    gdi::LineTo(mDC, X(x2), Y(y2));
    gdi::SetPixelV(mDC, X(x2), Y(y2), colour);
    gdi::SelectObject(mDC, old);
    gdi::DeleteObject(pen);
}

gdi::Picture Canvas::ToPicture() const {
    gdi::Picture picture;
    picture.width = mPixelsW;
    picture.height = mPixelsH;
    const gdi::COLORREF* pixels = gdi::BitmapColourPixels(mBitmap);
    picture.pixels.assign(pixels, pixels + static_cast<size_t>(mPixelsW) * mPixelsH);
    return picture;
}

} // namespace monster_gen
