#include <gtest/gtest.h>

#include "raster_test_canvas.h"

using namespace gdi;
using rastertest::Canvas;
using rastertest::InkRows;
using rastertest::WithPenAndBrush;
using Rows = std::vector<std::string>;

namespace {
constexpr COLORREF kInk = RGB(200, 10, 10);
constexpr COLORREF kFill = RGB(10, 200, 10);

// '#' pen colour, 'o' brush colour, '.' untouched.
Rows Picture2(const Canvas& c) {
    Rows ink = InkRows(c, kInk), fill = InkRows(c, kFill);
    for (size_t y = 0; y < ink.size(); ++y)
        for (size_t x = 0; x < ink[y].size(); ++x)
            if (fill[y][x] == '#') ink[y][x] = 'o';
    return ink;
}
} // namespace

TEST(RasterShapes, FillSolidRectAndNullPenRectangle) {
    Canvas c(6, 8);
    FillSolidRect(c.dc(), 0, 0, 3, 6, kInk);
    Rows expected(8, "......");
    for (int y = 0; y < 6; ++y) expected[y] = "###...";
    EXPECT_EQ(InkRows(c, kInk), expected);

    Canvas d(6, 4);
    FillSolidRect(d.dc(), 2, 0, 2, 4, kInk);   // empty
    FillSolidRect(d.dc(), -3, -3, 1, 1, kInk); // clipped to one pixel
    EXPECT_EQ(InkRows(d, kInk), (Rows{"#.....", "......", "......", "......"}));

    // The null pen leaves the last column and row.
    Canvas e(6, 4);
    WithPenAndBrush(e.dc(), CreatePen(PS_NULL, 1, 0xFF0000), CreateSolidBrush(kFill),
                    [&] { Rectangle(e.dc(), 1, 0, 5, 3); });
    EXPECT_EQ(Picture2(e), (Rows{".ooo..", ".ooo..", "......", "......"}));
}

TEST(RasterShapes, FillsOfEveryLengthAndStartTouchOnlyTheirPixels) {
    // Short fills are written inline, long ones by the C library; both sides
    // of the change, from every start within a cache line.
    constexpr int kWidth = 200;
    for (const int length : {1, 7, 8, 9, 63, 64, 65, 130}) {
        for (int start = 0; start < 16; ++start) {
            Canvas c(kWidth, 1);
            FillSolidRect(c.dc(), 0, 0, kWidth, 1, kFill);
            FillSolidRect(c.dc(), start, 0, start + length, 1, kInk);
            std::string expected(kWidth, '.');
            expected.replace(start, length, length, '#');
            ASSERT_EQ(InkRows(c, kInk)[0], expected) << length << " from " << start;
            ASSERT_EQ(InkRows(c, kFill)[0].find('.', start + length), std::string::npos)
                << length << " from " << start;
        }
    }
}

TEST(RasterShapes, RectangleWithOneWidePen) {
    Canvas c(7, 5);
    WithPenAndBrush(c.dc(), CreatePen(PS_SOLID, 1, kInk), CreateSolidBrush(kFill),
                    [&] { Rectangle(c.dc(), 1, 0, 6, 4); });
    EXPECT_EQ(Picture2(c), (Rows{".#####.", ".#ooo#.", ".#ooo#.", ".#####.", "......."}));

    Canvas h(5, 4);
    HGDIOBJ pen = SelectObject(h.dc(), CreatePen(PS_SOLID, 1, kInk));
    HGDIOBJ brush = SelectObject(h.dc(), GetStockObject(NULL_BRUSH));
    Rectangle(h.dc(), 0, 0, 4, 4);
    DeleteObject(SelectObject(h.dc(), pen));
    SelectObject(h.dc(), brush);
    EXPECT_EQ(Picture2(h), (Rows{"####.", "#..#.", "#..#.", "####."}));
}

TEST(RasterShapes, RectangleWithWidePensIsCentredOnTheOutline) {
    // Width 3: one pixel outside the one-wide outline, one inside.
    Canvas c(9, 9);
    WithPenAndBrush(c.dc(), CreatePen(PS_SOLID, 3, kInk), CreateSolidBrush(kFill),
                    [&] { Rectangle(c.dc(), 1, 1, 8, 7); });
    EXPECT_EQ(Picture2(c), (Rows{"#########", "#########", "#########", "###ooo###", "###ooo###",
                                 "#########", "#########", "#########", "........."}));
    // Width 2: nothing outside, one more inside.
    Canvas d(7, 7);
    WithPenAndBrush(d.dc(), CreatePen(PS_SOLID, 2, kInk), CreateSolidBrush(kFill),
                    [&] { Rectangle(d.dc(), 0, 0, 6, 6); });
    EXPECT_EQ(Picture2(d),
              (Rows{"######.", "######.", "##oo##.", "##oo##.", "######.", "######.", "......."}));
}

TEST(RasterShapes, EllipsesAreSymmetricAndInsideTheirBox) {
    Canvas c(8, 6);
    WithPenAndBrush(c.dc(), CreatePen(PS_SOLID, 1, kInk), CreateSolidBrush(kFill),
                    [&] { Ellipse(c.dc(), 0, 0, 7, 5); });
    EXPECT_EQ(Picture2(c),
              (Rows{".#####..", "##ooo##.", "#ooooo#.", "##ooo##.", ".#####..", "........"}));
    Canvas d(5, 5);
    WithPenAndBrush(d.dc(), CreatePen(PS_SOLID, 1, kInk), CreateSolidBrush(kFill),
                    [&] { Ellipse(d.dc(), 0, 0, 4, 4); });
    EXPECT_EQ(Picture2(d), (Rows{".##..", "#oo#.", "#oo#.", ".##..", "....."}));
    // The null pen: the brush alone, one pixel less to the right and bottom.
    Canvas e(6, 6);
    WithPenAndBrush(e.dc(), CreatePen(PS_NULL, 1, 0), CreateSolidBrush(kFill),
                    [&] { Ellipse(e.dc(), 0, 0, 6, 6); });
    EXPECT_EQ(Picture2(e), (Rows{".ooo..", "ooooo.", "ooooo.", "ooooo.", ".ooo..", "......"}));
    // Width 3 reaches one pixel outside the box.
    Canvas f(8, 8);
    WithPenAndBrush(f.dc(), CreatePen(PS_SOLID, 3, kInk), CreateSolidBrush(kFill),
                    [&] { Ellipse(f.dc(), 1, 1, 7, 7); });
    EXPECT_EQ(Picture2(f), (Rows{"..####..", ".######.", "########", "###oo###", "###oo###",
                                 "########", ".######.", "..####.."}));
}

TEST(RasterShapes, PolygonsFillAlternateAndMeetTheirOutline) {
    Canvas c(10, 9);
    WithPenAndBrush(c.dc(), CreatePen(PS_SOLID, 1, kInk), CreateSolidBrush(kFill), [&] {
        const POINT tri[] = {{0, 0}, {8, 0}, {4, 7}};
        Polygon(c.dc(), tri, 3);
    });
    EXPECT_EQ(Picture2(c),
              (Rows{"#########.", ".#ooooo#..", ".#ooooo#..", "..#ooo#...", "..#ooo#...",
                    "...#o#....", "...#o#....", "....#.....", ".........."}));
    // A ring drawn as one outline crossing itself: the middle stays empty.
    Canvas d(8, 6);
    WithPenAndBrush(d.dc(), CreatePen(PS_NULL, 1, 0), CreateSolidBrush(kFill), [&] {
        const POINT ring[] = {{0, 0}, {6, 0}, {6, 5}, {2, 5}, {2, 2}, {4, 2}, {4, 3}, {0, 3}};
        Polygon(d.dc(), ring, 8);
    });
    EXPECT_EQ(Picture2(d),
              (Rows{"oooooo..", "oooooo..", "oo..oo..", "..oooo..", "..oooo..", "........"}));
}

TEST(RasterShapes, ThinLinesLeaveOutTheirEndPoint) {
    Canvas c(6, 5);
    HGDIOBJ old = SelectObject(c.dc(), CreatePen(PS_SOLID, 1, kInk));
    MoveToEx(c.dc(), 0, 0, nullptr);
    LineTo(c.dc(), 4, 2);
    LineTo(c.dc(), 4, 4);
    LineTo(c.dc(), 4, 4); // zero length: nothing
    POINT where;
    MoveToEx(c.dc(), 5, 0, &where);
    EXPECT_EQ(where.x, 4);
    EXPECT_EQ(where.y, 4);
    LineTo(c.dc(), 5, 1);
    DeleteObject(SelectObject(c.dc(), old));
    EXPECT_EQ(InkRows(c, kInk), (Rows{"#....#", ".##...", "...##.", "....#.", "......"}));
}

TEST(RasterShapes, WideLinesHaveRoundCapsAtBothEnds) {
    Canvas c(10, 7);
    HGDIOBJ old = SelectObject(c.dc(), CreatePen(PS_SOLID, 3, kInk));
    MoveToEx(c.dc(), 2, 3, nullptr);
    LineTo(c.dc(), 7, 3);
    DeleteObject(SelectObject(c.dc(), old));
    EXPECT_EQ(InkRows(c, kInk), (Rows{"..........", "..........", ".########.", ".########.",
                                      ".########.", "..........", ".........."}));
    Canvas d(7, 7);
    old = SelectObject(d.dc(), CreatePen(PS_SOLID, 5, kInk));
    MoveToEx(d.dc(), 3, 3, nullptr);
    LineTo(d.dc(), 3, 3); // a dot of the pen's shape
    DeleteObject(SelectObject(d.dc(), old));
    EXPECT_EQ(InkRows(d, kInk),
              (Rows{".......", "..###..", ".#####.", ".#####.", ".#####.", "..###..", "......."}));
}

TEST(RasterShapes, OneBitTargetsTakeTheNearerOfBlackAndWhite) {
    Canvas m(4, 3, Canvas::kOneBit);
    WithPenAndBrush(m.dc(), CreatePen(PS_SOLID, 1, RGB(250, 250, 200)),
                    CreateSolidBrush(RGB(90, 90, 90)), [&] { Rectangle(m.dc(), 0, 0, 4, 3); });
    EXPECT_EQ(InkRows(m, 0xFFFFFF), (Rows{"####", "#..#", "####"}));
    FillSolidRect(m.dc(), 1, 1, 3, 2, RGB(128, 128, 128)); // just nearer white
    EXPECT_EQ(InkRows(m, 0xFFFFFF), (Rows{"####", "####", "####"}));
}
