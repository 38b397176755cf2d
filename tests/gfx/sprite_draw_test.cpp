// Drawing keeps image and mask together; copies compose AND-then-OR.
#include <gtest/gtest.h>

#include <functional>

#include "gfx/kivSprite3.h"
#include "gfx_support.h"

TEST(SpriteDraw, PixelsTransparentAndOpaqueBlack) {
    kivSprite3 s;
    s.Initialize(true, 6, 6, 0x00FF00, "", -1);
    s.DrawPixel(2, 3, -2);
    EXPECT_EQ(s.GetPixel(2, 3), -2);
    s.DrawPixel(4, 1, 0);
    EXPECT_EQ(s.GetPixel(4, 1), 0);
    s.DrawPixel(4, 2, 0x0000FF);
    EXPECT_EQ(s.GetPixel(4, 2), 0x0000FF);
    // A transparent pixel drawn over again becomes opaque.
    s.DrawPixel(2, 3, 0x112233);
    EXPECT_EQ(s.GetPixel(2, 3), 0x112233);
    s.Cls(); // refills with the background
    EXPECT_EQ(s.GetPixel(4, 1), 0x00FF00);

    kivSprite3 clear;
    clear.Initialize(true, 6, 6, -1, "", -1);
    clear.DrawPixel(1, 1, 0);
    EXPECT_EQ(clear.GetPixel(1, 1), 0);
    clear.Cls(); // the rebuild keys the opaque black away
    EXPECT_EQ(clear.GetPixel(1, 1), -2);
}

TEST(SpriteDraw, GetPixelOutsideTheSurface) {
    kivSprite3 masked;
    masked.Initialize(true, 4, 4, 0x0000FF, "", -1);
    EXPECT_EQ(masked.GetPixel(-1, 0), -2);
    EXPECT_EQ(masked.GetPixel(4, 0), -2);
    EXPECT_EQ(masked.GetPixel(0, 4), -2);
    EXPECT_EQ(masked.GetPixel(3, 3), 0x0000FF);
    kivSprite3 plain;
    plain.Initialize(false, 4, 4, 0x0000FF, "", -1);
    EXPECT_EQ(plain.GetPixel(4, 0), -1);
    EXPECT_EQ(plain.GetPixel(3, 0), 0x0000FF);
}

TEST(SpriteDraw, ShapesPaintImageAndMaskWithExclusiveEdges) {
    kivSprite3 s;
    s.Initialize(true, 12, 12, -1, "", -1);
    s.DrawRectangle(2, 3, 5, 6, 0); // opaque black
    EXPECT_EQ(s.GetPixel(2, 3), 0);
    EXPECT_EQ(s.GetPixel(4, 5), 0);
    EXPECT_EQ(s.GetPixel(5, 5), -2);
    EXPECT_EQ(s.GetPixel(4, 6), -2);
    EXPECT_EQ(s.GetPixel(1, 3), -2);

    s.DrawLine(0, 0, 6, 0, 0x0000FF, 1);
    EXPECT_EQ(s.GetPixel(0, 0), 0x0000FF);
    EXPECT_EQ(s.GetPixel(5, 0), 0x0000FF);
    EXPECT_EQ(s.GetPixel(6, 0), -2);

    s.DrawRectangleDeluxe(6, 6, 12, 12, 0x00FF00, 1, 0xFF0000);
    EXPECT_EQ(s.GetPixel(6, 6), 0xFF0000);
    EXPECT_EQ(s.GetPixel(11, 11), 0xFF0000);
    EXPECT_EQ(s.GetPixel(8, 8), 0x00FF00);

    s.DrawEllipse(0, 7, 5, 12, 0x00FFFF);
    EXPECT_EQ(s.GetPixel(2, 9), 0x00FFFF);
    EXPECT_EQ(s.GetPixel(0, 7), -2); // corner outside the ellipse

    const gdi::POINT triangle[3] = {{7, 0}, {11, 0}, {11, 4}};
    s.DrawPolygon(triangle, 3, 0x808080, 1, 0x808080);
    EXPECT_EQ(s.GetPixel(10, 1), 0x808080);
    EXPECT_EQ(s.GetPixel(7, 3), -2);
}

TEST(SpriteDraw, ShapesOnUnmaskedSurfaceTouchOnlyTheImage) {
    kivSprite3 s;
    s.Initialize(false, 6, 6, 0xFFFFFF, "", -1);
    s.DrawRectangle(1, 1, 3, 3, 0);
    s.DrawPixel(5, 5, -2);
    EXPECT_EQ(s.MaskHDC(), nullptr);
    EXPECT_EQ(s.GetPixel(1, 1), 0);
    EXPECT_EQ(s.GetPixel(3, 3), 0xFFFFFF);
}

TEST(SpriteDraw, OpaqueColoursComposeByOrOnAMaskedDestination) {
    kivSprite3 dest, red, green;
    dest.Initialize(true, 10, 10, -1, "", -1);
    red.Initialize(true, 4, 4, 0x0000FF, "", -1);
    green.Initialize(true, 4, 4, 0x00FF00, "", -1);
    red.BitBlt(dest.MainHDC(), dest.MaskHDC(), 0, 0);
    green.BitBlt(dest.MainHDC(), dest.MaskHDC(), 2, 2);
    EXPECT_EQ(dest.GetPixel(0, 0), 0x0000FF);
    EXPECT_EQ(dest.GetPixel(3, 3), 0x00FFFF);
    EXPECT_EQ(dest.GetPixel(2, 2), 0x00FFFF);
    EXPECT_EQ(dest.GetPixel(5, 5), 0x00FF00);
    EXPECT_EQ(dest.GetPixel(6, 6), -2);
    EXPECT_EQ(dest.GetPixel(4, 0), -2);
}

TEST(SpriteDraw, TransparentSourceLeavesTheDestinationUnchanged) {
    kivSprite3 empty;
    empty.Initialize(true, 8, 8, -1, "", -1);

    Canvas plain(12, 12, 0x345678);
    const auto plainBefore = plain.Pixels();
    empty.BitBlt(plain.dc(), nullptr, 2, 2);
    empty.BitBltDeluxe(plain.dc(), nullptr, 0, 0, 8, 8, 0, 0, gdi::SRCCOPY);
    empty.StretchBlt(plain.dc(), nullptr, 0, 0, 12, 12);
    EXPECT_EQ(plain.Pixels(), plainBefore);

    kivSprite3 dest;
    dest.Initialize(true, 12, 12, -1, "", -1);
    dest.DrawRectangle(0, 0, 6, 12, 0x00AA00);
    const auto destBefore = SurfacePixels(dest, 12, 12);
    empty.BitBlt(dest.MainHDC(), dest.MaskHDC(), 2, 2);
    empty.StretchBlt(dest.MainHDC(), dest.MaskHDC(), 0, 0, 12, 12);
    EXPECT_EQ(SurfacePixels(dest, 12, 12), destBefore);
}

TEST(SpriteDraw, MaskedCopyOntoPlainDestinationShowsExactColours) {
    kivSprite3 s;
    s.Initialize(true, 4, 2, -1, "", -1);
    s.DrawPixel(0, 0, 0x0000FF);
    s.DrawPixel(3, 1, 0x000100);
    Canvas canvas(10, 6, 0xFFFFFF);
    s.BitBlt(canvas.dc(), nullptr, 5, 3);
    EXPECT_EQ(canvas.At(5, 3), 0x0000FFu);
    EXPECT_EQ(canvas.At(8, 4), 0x000100u);
    EXPECT_EQ(canvas.At(6, 3), 0xFFFFFFu);

    // Another surface's image as a plain destination behaves the same.
    kivSprite3 onto;
    onto.Initialize(true, 10, 6, 0x00FF00, "", -1);
    s.BitBlt(onto.MainHDC(), nullptr, 5, 3);
    EXPECT_EQ(onto.GetPixel(5, 3), 0x0000FF);
    EXPECT_EQ(onto.GetPixel(6, 3), 0x00FF00);
    EXPECT_EQ(onto.GetPixel(8, 4), 0x000100);

    // A part of the surface, through a destination mask: two passes.
    Canvas target(10, 6, 0);
    Canvas mask(10, 6, 0xFFFFFF, Canvas::kOneBit);
    s.BitBltDeluxe(target.dc(), mask.dc(), 0, 0, 2, 2, 2, 0, gdi::SRCCOPY);
    EXPECT_EQ(target.At(1, 1), 0x000100u);
    EXPECT_EQ(mask.At(1, 1), 0u);        // opaque in the destination's mask
    EXPECT_EQ(mask.At(0, 0), 0xFFFFFFu); // still transparent
}

TEST(SpriteDraw, UnmaskedSourceMakesTheWholeRectangleOpaque) {
    kivSprite3 source, dest;
    source.Initialize(false, 3, 3, 0, "", -1);
    source.DrawPixel(1, 1, 0x0000FF);
    dest.Initialize(true, 8, 8, -1, "", -1);
    source.BitBlt(dest.MainHDC(), dest.MaskHDC(), 2, 2);
    EXPECT_EQ(dest.GetPixel(2, 2), 0);
    EXPECT_EQ(dest.GetPixel(3, 3), 0x0000FF);
    EXPECT_EQ(dest.GetPixel(4, 4), 0);
    EXPECT_EQ(dest.GetPixel(5, 5), -2);
    EXPECT_EQ(dest.GetPixel(1, 2), -2);

    kivSprite3 stretchDest;
    stretchDest.Initialize(true, 8, 8, -1, "", -1);
    source.StretchBlt(stretchDest.MainHDC(), stretchDest.MaskHDC(), 0, 0, 6, 6);
    EXPECT_EQ(stretchDest.GetPixel(0, 0), 0);
    EXPECT_EQ(stretchDest.GetPixel(2, 3), 0x0000FF);
    EXPECT_EQ(stretchDest.GetPixel(5, 5), 0);
    EXPECT_EQ(stretchDest.GetPixel(6, 6), -2);
}

TEST(SpriteDraw, StretchRepeatsPixelsAndKeepsTransparency) {
    kivSprite3 s;
    s.Initialize(true, 2, 1, -1, "", -1);
    s.DrawPixel(0, 0, 0x0000FF);
    Canvas canvas(8, 4, 0x00FF00);
    s.StretchBlt(canvas.dc(), nullptr, 1, 0, 6, 3);
    for (int x = 1; x <= 3; ++x) EXPECT_EQ(canvas.At(x, 2), 0x0000FFu) << x;
    for (int x = 4; x <= 6; ++x) EXPECT_EQ(canvas.At(x, 2), 0x00FF00u) << x;
    EXPECT_EQ(canvas.At(0, 0), 0x00FF00u);
    EXPECT_EQ(canvas.At(1, 3), 0x00FF00u);

    Canvas part(8, 4, 0x00FF00);
    s.StretchBltDeluxe(part.dc(), nullptr, 0, 0, 4, 4, 0, 0, 1, 1, gdi::SRCCOPY);
    EXPECT_EQ(part.At(3, 3), 0x0000FFu);
    EXPECT_EQ(part.At(4, 3), 0x00FF00u);
}

TEST(SpriteDraw, CopiesToNoContextDrawNothing) {
    kivSprite3 s;
    s.Initialize(true, 4, 4, 0x0000FF, "", -1);
    Canvas mask(4, 4, 0xFFFFFF, Canvas::kOneBit);
    s.BitBlt(nullptr, nullptr, 0, 0);
    s.BitBlt(nullptr, mask.dc(), 0, 0); // the destination mask still takes it
    EXPECT_EQ(mask.At(0, 0), 0u);
    kivSprite3 never;
    Canvas canvas(4, 4, 0x00FF00);
    never.BitBlt(canvas.dc(), nullptr, 0, 0);
    never.StretchBlt(canvas.dc(), nullptr, 0, 0, 4, 4);
    EXPECT_EQ(canvas.At(0, 0), 0x00FF00u);
}

TEST(SpriteDraw, WideLinesAndShapesGiveMaskAndImageOneFootprint) {
    // Where the image shows a drawn colour the mask is opaque, and nowhere else.
    const gdi::COLORREF ink = gdi::RGB(30, 200, 90), border = gdi::RGB(250, 20, 20);
    const std::vector<std::function<void(kivSprite3&)>> shapes = {
        [&](kivSprite3& s) { s.DrawLine(3, 4, 40, 30, ink, 5); },
        [&](kivSprite3& s) { s.DrawLine(20, 2, 21, 38, ink, 8); },
        [&](kivSprite3& s) { s.DrawRectangleDeluxe(5, 6, 35, 30, ink, 4, border); },
        [&](kivSprite3& s) { s.DrawEllipseDeluxe(4, 3, 44, 33, ink, 3, border); },
        [&](kivSprite3& s) { s.DrawEllipse(10, 10, 30, 24, ink); },
    };
    for (size_t i = 0; i < shapes.size(); ++i) {
        kivSprite3 s;
        s.Initialize(true, 48, 40, -1, "", -1);
        shapes[i](s);
        int painted = 0;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 48; ++x) {
                const gdi::COLORREF image = gdi::GetPixel(s.MainHDC(), x, y);
                const bool opaque = gdi::GetPixel(s.MaskHDC(), x, y) == 0;
                const bool drawn = image == ink || image == border;
                EXPECT_EQ(opaque, drawn) << "shape " << i << " at " << x << "," << y;
                EXPECT_TRUE(drawn || image == 0) << "shape " << i << " at " << x << "," << y;
                painted += drawn;
            }
        }
        EXPECT_GT(painted, 100) << "shape " << i;
    }
}
