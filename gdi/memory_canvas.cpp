#include "gdi/memory_canvas.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "gdi/pen_and_brush.h"

namespace gdi {

namespace {

// A brush of the colour and the null pen selected for one shape.
template <class Draw> void WithFlatColour(HDC dc, COLORREF colour, Draw draw) {
    WithPenAndBrush(dc, static_cast<HPEN>(GetStockObject(NULL_PEN)), CreateSolidBrush(colour),
                    draw);
}

} // namespace

MemoryCanvas::MemoryCanvas(int width, int height, Depth depth) : mWidth(width), mHeight(height) {
    HDC screen = GetDC(nullptr);
    mDC = CreateCompatibleDC(screen);
    mBitmap = depth == kOneBit ? CreateBitmap(width, height, 1, 1, nullptr)
                               : CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    if (!mDC || !mBitmap) {
        if (mDC) DeleteDC(mDC);
        if (mBitmap) DeleteObject(reinterpret_cast<HGDIOBJ>(mBitmap));
        throw std::runtime_error("cannot make a canvas of " + std::to_string(width) + " x " +
                                 std::to_string(height));
    }
    mDisplaced = SelectObject(mDC, reinterpret_cast<HGDIOBJ>(mBitmap));
}

MemoryCanvas::MemoryCanvas(int width, int height, COLORREF fill, Depth depth)
    : MemoryCanvas(width, height, depth) {
    Clear(fill);
}

MemoryCanvas::~MemoryCanvas() {
    SelectObject(mDC, mDisplaced);
    DeleteObject(reinterpret_cast<HGDIOBJ>(mBitmap));
    DeleteDC(mDC);
}

void MemoryCanvas::Clear(COLORREF colour) {
    Fill(0, 0, mWidth, mHeight, colour);
}

void MemoryCanvas::Fill(int left, int top, int right, int bottom, COLORREF colour) {
    FillSolidRect(mDC, left, top, right, bottom, colour);
}

void MemoryCanvas::Ellipse(int left, int top, int right, int bottom, COLORREF colour) {
    // With the null pen the raster fills one pixel less each way.
    WithFlatColour(mDC, colour, [&] { gdi::Ellipse(mDC, left, top, right + 1, bottom + 1); });
}

void MemoryCanvas::Polygon(const std::vector<POINT>& points, COLORREF colour) {
    WithFlatColour(mDC, colour,
                   [&] { gdi::Polygon(mDC, points.data(), static_cast<int>(points.size())); });
}

std::vector<COLORREF> MemoryCanvas::Pixels() const {
    const size_t count = static_cast<size_t>(mWidth) * mHeight;
    if (const COLORREF* bits = BitmapColourPixels(mBitmap)) {
        return std::vector<COLORREF>(bits, bits + count);
    }
    std::vector<COLORREF> pixels;
    pixels.reserve(count);
    for (int y = 0; y < mHeight; ++y)
        for (int x = 0; x < mWidth; ++x) pixels.push_back(At(x, y));
    return pixels;
}

void MemoryCanvas::SetPixels(const std::vector<COLORREF>& pixels) {
    COLORREF* bits = BitmapColourPixels(mBitmap);
    if (!bits) throw std::logic_error("SetPixels on a one-bit canvas");
    std::copy_n(pixels.begin(), std::min(pixels.size(), static_cast<size_t>(mWidth) * mHeight),
                bits);
    BitmapTouched(mBitmap);
}

Picture MemoryCanvas::ToPicture() const {
    Picture picture;
    picture.width = mWidth;
    picture.height = mHeight;
    picture.pixels = Pixels();
    return picture;
}

} // namespace gdi
