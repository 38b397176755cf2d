// The memory canvas: shapes cover left/top and leave right/bottom out, one-bit
// canvases read back black and white, and pixels go in and out unchanged.
#include <gtest/gtest.h>

#include "gdi/memory_canvas.h"
#include "raster_test_canvas.h"

namespace {

using gdi::MemoryCanvas;
using Rows = std::vector<std::string>;

TEST(MemoryCanvas, ShapesLeaveTheRightAndBottomEdgeOut) {
    struct Case {
        const char* what;
        void (*draw)(MemoryCanvas&);
        Rows expected;
    };
    const std::vector<Case> cases = {
        {"fill",
         [](MemoryCanvas& c) { c.Fill(1, 1, 4, 3, 0xFF); },
         {"......", ".###..", ".###..", "......"}},
        {"ellipse",
         [](MemoryCanvas& c) { c.Ellipse(0, 0, 5, 3, 0xFF); },
         {".###..", "#####.", ".###..", "......"}},
        {"polygon",
         [](MemoryCanvas& c) {
             c.Polygon({{0, 0}, {4, 0}, {0, 4}}, 0xFF);
         },
         {"####..", "###...", "##....", "#....."}},
        {"clear", [](MemoryCanvas& c) { c.Clear(0xFF); }, {"######", "######", "######", "######"}},
    };
    for (const Case& c : cases) {
        MemoryCanvas canvas(6, 4);
        EXPECT_EQ(rastertest::InkRows(canvas, 0), Rows(4, "######")) << "black at the start";
        c.draw(canvas);
        EXPECT_EQ(rastertest::InkRows(canvas, 0xFF), c.expected) << c.what;
    }
}

TEST(MemoryCanvas, PixelsInAndOut) {
    MemoryCanvas colour(3, 2, 0x123456);
    EXPECT_EQ(colour.Pixels(), std::vector<gdi::COLORREF>(6, 0x123456));
    colour.SetPixels({1, 2, 3, 4});
    EXPECT_EQ(colour.Pixels(), (std::vector<gdi::COLORREF>{1, 2, 3, 4, 0x123456, 0x123456}));
    const gdi::Picture picture = colour.ToPicture();
    EXPECT_EQ(picture.width, 3);
    EXPECT_EQ(picture.height, 2);
    EXPECT_EQ(picture.pixels, colour.Pixels());
    EXPECT_EQ(colour.At(1, 0), 2u);

    MemoryCanvas mask(3, 1, 0xFFFFFF, MemoryCanvas::kOneBit);
    mask.Fill(1, 0, 2, 1, 0);
    EXPECT_EQ(mask.Pixels(), (std::vector<gdi::COLORREF>{0xFFFFFF, 0, 0xFFFFFF}));
    EXPECT_THROW(mask.SetPixels({0}), std::logic_error);
    EXPECT_THROW(MemoryCanvas(0, 5), std::runtime_error);
}

} // namespace
