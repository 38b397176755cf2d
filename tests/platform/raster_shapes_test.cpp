#include <gtest/gtest.h>

#include "raster_test_canvas.h"

using namespace gdi;
using rastertest::Canvas;
using rastertest::WithPenAndBrush;
using Rows = std::vector<std::string>;

namespace {
constexpr COLORREF kInk = RGB(200, 10, 10);
constexpr COLORREF kFill = RGB(10, 200, 10);

// '#' pen colour, 'o' brush colour, '.' untouched.
Rows Picture2(const Canvas& c) {
    Rows ink = c.Picture(kInk), fill = c.Picture(kFill);
    for (size_t y = 0; y < ink.size(); ++y)
        for (size_t x = 0; x < ink[y].size(); ++x)
            if (fill[y][x] == '#') ink[y][x] = 'o';
    return ink;
}
} // namespace

TEST(RasterShapes, FillSolidRectAndNullPenRectangle) {
    Canvas c(6, 8);
    FillSolidRect(c.dc, 0, 0, 3, 6, kInk);
    Rows expected(8, "......");
    for (int y = 0; y < 6; ++y) expected[y] = "###...";
    EXPECT_EQ(c.Picture(kInk), expected);

    Canvas d(6, 4);
    FillSolidRect(d.dc, 2, 0, 2, 4, kInk);   // empty
    FillSolidRect(d.dc, -3, -3, 1, 1, kInk); // clipped to one pixel
    EXPECT_EQ(d.Picture(kInk), (Rows{"#.....", "......", "......", "......"}));

    // The null pen leaves the last column and row.
    Canvas e(6, 4);
    WithPenAndBrush(e.dc, CreatePen(PS_NULL, 1, 0xFF0000), CreateSolidBrush(kFill),
                    [&] { Rectangle(e.dc, 1, 0, 5, 3); });
    EXPECT_EQ(Picture2(e), (Rows{".ooo..", ".ooo..", "......", "......"}));
}

TEST(RasterShapes, RectangleWithOneWidePen) {
    Canvas c(7, 5);
    WithPenAndBrush(c.dc, CreatePen(PS_SOLID, 1, kInk), CreateSolidBrush(kFill),
                    [&] { Rectangle(c.dc, 1, 0, 6, 4); });
    EXPECT_EQ(Picture2(c), (Rows{".#####.", ".#ooo#.", ".#ooo#.", ".#####.", "......."}));

    Canvas h(5, 4);
    SelectObject(h.dc, GetStockObject(NULL_BRUSH));
    WithPenAndBrush(h.dc, CreatePen(PS_SOLID, 1, kInk), CreateSolidBrush(kFill), [] {});
    HGDIOBJ pen = SelectObject(h.dc, CreatePen(PS_SOLID, 1, kInk));
    HGDIOBJ brush = SelectObject(h.dc, GetStockObject(NULL_BRUSH));
    Rectangle(h.dc, 0, 0, 4, 4);
    DeleteObject(SelectObject(h.dc, pen));
    SelectObject(h.dc, brush);
    EXPECT_EQ(Picture2(h), (Rows{"####.", "#..#.", "#..#.", "####."}));
}

TEST(RasterShapes, RectangleWithWidePensIsCentredOnTheOutline) {
    // Width 3: one pixel outside the one-wide outline, one inside.
    Canvas c(9, 9);
    WithPenAndBrush(c.dc, CreatePen(PS_SOLID, 3, kInk), CreateSolidBrush(kFill),
                    [&] { Rectangle(c.dc, 1, 1, 8, 7); });
    EXPECT_EQ(Picture2(c), (Rows{"#########", "#########", "#########", "###ooo###", "###ooo###",
                                 "#########", "#########", "#########", "........."}));
    // Width 2: nothing outside, one more inside.
    Canvas d(7, 7);
    WithPenAndBrush(d.dc, CreatePen(PS_SOLID, 2, kInk), CreateSolidBrush(kFill),
                    [&] { Rectangle(d.dc, 0, 0, 6, 6); });
    EXPECT_EQ(Picture2(d),
              (Rows{"######.", "######.", "##oo##.", "##oo##.", "######.", "######.", "......."}));
}
