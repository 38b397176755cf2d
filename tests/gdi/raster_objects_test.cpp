#include <gtest/gtest.h>

#include "raster_test_canvas.h"

using namespace gdi;
using rastertest::Canvas;

TEST(RasterObjects, ContextsAndBitmapFormats) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetBkColor(dc), 0xFFFFFFu);
    EXPECT_EQ(GetTextColor(dc), 0u);
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    BITMAP info;
    ASSERT_TRUE(GetObject(CurrentBitmap(dc), info));
    EXPECT_EQ(info.bmWidth, 1);
    EXPECT_EQ(info.bmBitsPixel, 1);

    HBITMAP colour = CreateCompatibleBitmap(screen, 5, 3);
    ASSERT_TRUE(GetObject(colour, info));
    EXPECT_EQ(info.bmWidth, 5);
    EXPECT_EQ(info.bmHeight, 3);
    EXPECT_EQ(info.bmBitsPixel, 32);
    for (int i = 0; i < 15; ++i) EXPECT_EQ(BitmapColourPixels(colour)[i], 0u);
    EXPECT_EQ(BitmapMonoPixels(colour), nullptr);

    // Compatible with a context still holding its one-bit default: one-bit.
    HBITMAP mono = CreateCompatibleBitmap(dc, 4, 4);
    ASSERT_TRUE(GetObject(mono, info));
    EXPECT_EQ(info.bmBitsPixel, 1);
    EXPECT_NE(BitmapMonoPixels(mono), nullptr);

    HGDIOBJ old = SelectObject(dc, colour);
    EXPECT_EQ(CurrentBitmap(dc), colour);
    // Selected elsewhere already: refused, as in GDI.
    HDC other = CreateCompatibleDC(screen);
    EXPECT_EQ(SelectObject(other, colour), nullptr);
    EXPECT_EQ(DeleteObject(colour), 0);
    EXPECT_EQ(SelectObject(dc, old), colour);
    EXPECT_EQ(DeleteObject(colour), 1);
    EXPECT_EQ(DeleteObject(mono), 1);
    DeleteDC(other);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

TEST(RasterObjects, DeleteDcKeepsItsBitmap) {
    const uint64_t before = BitmapMemoryInUse();
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP b = CreateCompatibleBitmap(GetDC(nullptr), 10, 10);
    SelectObject(dc, b);
    SetPixelV(dc, 2, 2, RGB(1, 2, 3));
    EXPECT_EQ(BitmapMemoryInUse(), before + 400);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(BitmapColourPixels(b)[22], RGB(1, 2, 3));
    EXPECT_EQ(DeleteObject(b), 1);
    EXPECT_EQ(BitmapMemoryInUse(), before);
}

TEST(RasterObjects, SizeAndMemoryLimitGiveNull) {
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(screen, 0, 5), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(screen, 5, -1), nullptr);
    EXPECT_EQ(CreateBitmap(0, 1, 1, 1, nullptr), nullptr);

    SetBitmapMemoryLimit(BitmapMemoryInUse() + 1000);
    HBITMAP fits = CreateCompatibleBitmap(screen, 10, 20); // 800 bytes
    EXPECT_NE(fits, nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(screen, 10, 10), nullptr); // 400 more: over
    HBITMAP small = CreateBitmap(10, 10, 1, 1, nullptr);        // 100 one-bit bytes fit
    EXPECT_NE(small, nullptr);
    DeleteObject(fits);
    HBITMAP again = CreateCompatibleBitmap(screen, 10, 10);
    EXPECT_NE(again, nullptr);
    SetBitmapMemoryLimit(0);
    DeleteObject(again);
    DeleteObject(small);
}

TEST(RasterObjects, StateSettersReturnPreviousValues) {
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SetBkColor(dc, RGB(1, 2, 3)), 0xFFFFFFu);
    EXPECT_EQ(SetBkColor(dc, 0), RGB(1, 2, 3));
    EXPECT_EQ(SetTextColor(dc, 0x123456), 0u);
    EXPECT_EQ(GetTextColor(dc), 0x123456u);
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);

    HPEN pen = CreatePen(PS_SOLID, 3, RGB(9, 9, 9));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    EXPECT_EQ(oldPen, GetStockObject(BLACK_PEN));
    EXPECT_EQ(SelectObject(dc, oldPen), pen);
    EXPECT_EQ(DeleteObject(pen), 1);
    EXPECT_EQ(DeleteObject(GetStockObject(WHITE_BRUSH)), 1); // ignored, stays usable
    EXPECT_NE(GetStockObject(NULL_PEN), nullptr);
    DeleteDC(dc);
}

TEST(RasterPixels, SetAndGetWithClipping) {
    Canvas c(4, 3);
    EXPECT_EQ(GetPixel(c.dc(), 1, 1), 0u);
    SetPixelV(c.dc(), 1, 1, 0x00ABCDEF);
    EXPECT_EQ(GetPixel(c.dc(), 1, 1), 0x00ABCDEFu);
    EXPECT_EQ(GetPixel(c.dc(), -1, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(c.dc(), 4, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(c.dc(), 0, 3), CLR_INVALID);
    EXPECT_EQ(SetPixelV(c.dc(), 9, 9, 1), CLR_INVALID);

    Canvas m(3, 1, Canvas::kOneBit);
    SetPixelV(m.dc(), 0, 0, RGB(200, 200, 0)); // nearer white than black
    SetPixelV(m.dc(), 1, 0, RGB(120, 120, 120));
    SetPixelV(m.dc(), 2, 0, 0xFFFFFF);
    EXPECT_EQ(GetPixel(m.dc(), 0, 0), 0xFFFFFFu);
    EXPECT_EQ(GetPixel(m.dc(), 1, 0), 0u);
    EXPECT_EQ(GetPixel(m.dc(), 2, 0), 0xFFFFFFu);
    EXPECT_EQ(BitmapMonoPixels(m.bitmap())[0], 1);
    EXPECT_EQ(BitmapMonoPixels(m.bitmap())[1], 0);
}
