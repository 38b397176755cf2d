#include "tools/monster_gen/canvas.h"

#include <stdexcept>
#include <vector>

namespace monster_gen {

Canvas::Canvas(int32_t width, int32_t height) : mWidth(width), mHeight(height) {
    gdi::HDC screen = gdi::GetDC(nullptr);
    mDC = gdi::CreateCompatibleDC(screen);
    mBitmap = gdi::CreateCompatibleBitmap(screen, width, height);
    gdi::ReleaseDC(nullptr, screen);
    if (!mDC || !mBitmap) throw std::runtime_error("no memory for a monster picture");
    mDisplaced = gdi::SelectObject(mDC, mBitmap);
}

Canvas::~Canvas() {
    gdi::SelectObject(mDC, mDisplaced);
    gdi::DeleteObject(mBitmap);
    gdi::DeleteDC(mDC);
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
    gdi::Ellipse(mDC, cx - rx, cy - ry, cx + rx + 1, cy + ry + 1);
    Unfill();
}

void Canvas::Rect(int32_t left, int32_t top, int32_t right, int32_t bottom, gdi::COLORREF colour) {
    gdi::FillSolidRect(mDC, left, top, right + 1, bottom + 1, colour);
}

void Canvas::Polygon(std::initializer_list<gdi::POINT> points, gdi::COLORREF colour) {
    const std::vector<gdi::POINT> list(points);
    Fill(colour);
    gdi::Polygon(mDC, list.data(), static_cast<int>(list.size()));
    Unfill();
}

void Canvas::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t width,
                  gdi::COLORREF colour) {
    gdi::HPEN pen = gdi::CreatePen(gdi::PS_SOLID, width, colour);
    gdi::HGDIOBJ old = gdi::SelectObject(mDC, pen);
    gdi::MoveToEx(mDC, x1, y1, nullptr);
    gdi::LineTo(mDC, x2, y2);
    gdi::SetPixelV(mDC, x2, y2, colour);
    gdi::SelectObject(mDC, old);
    gdi::DeleteObject(pen);
}

gdi::COLORREF Canvas::At(int32_t x, int32_t y) const {
    return gdi::GetPixel(mDC, x, y);
}

platform::Picture Canvas::ToPicture() const {
    platform::Picture picture;
    picture.width = mWidth;
    picture.height = mHeight;
    const gdi::COLORREF* pixels = gdi::BitmapColourPixels(mBitmap);
    picture.pixels.assign(pixels, pixels + static_cast<size_t>(mWidth) * mHeight);
    return picture;
}

} // namespace monster_gen
