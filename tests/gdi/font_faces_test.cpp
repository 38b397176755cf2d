#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "gdi/font_faces.h"
#include "raster_test_canvas.h"

using namespace gdi;

namespace {

SIZE Extent(const char* face, int height, int weight, const char* text, int width = 0) {
    HDC dc = CreateCompatibleDC(nullptr);
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfWeight = weight;
    std::strcpy(lf.lfFaceName, face);
    HFONT font = CreateFontIndirectA(lf);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE s{};
    EXPECT_TRUE(GetTextExtentPoint32A(dc, text, -1, &s));
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return s;
}

} // namespace

TEST(Fonts, ArialResolvesToAMetricCompatibleFace) {
    const std::string regular = gdi::fonts::ResolveFontFile("Arial", false, false);
    const std::string bold = gdi::fonts::ResolveFontFile("Arial", true, false);
    EXPECT_TRUE(regular.find("LiberationSans") != std::string::npos ||
                regular.find("Arimo") != std::string::npos)
        << regular;
    EXPECT_NE(regular, bold);
    EXPECT_NE(bold.find("Bold"), std::string::npos) << bold;
}

TEST(Fonts, SizesWeightsAndWidths) {
    const SIZE small = Extent("Arial", -20, FW_NORMAL, "Stompvale 1200");
    const SIZE large = Extent("Arial", -40, FW_NORMAL, "Stompvale 1200");
    const SIZE bold = Extent("Arial", -20, FW_BOLD, "Stompvale 1200");
    EXPECT_GT(small.cx, 80);
    EXPECT_NEAR(large.cx, 2 * small.cx, small.cx / 8);
    EXPECT_GT(large.cy, small.cy);
    EXPECT_GT(bold.cx, small.cx);
    // Arial's digits are 0.556 em wide: at 20 px, 11 px each (hinted).
    EXPECT_NEAR(Extent("Arial", -20, FW_NORMAL, "0000000000").cx, 111, 10);
    // A positive height is the cell height.
    EXPECT_EQ(Extent("Arial", 30, FW_NORMAL, "x").cy, 30);
    // A character width stretches the glyphs.
    const SIZE narrow = Extent("Arial", -20, FW_NORMAL, "Stompvale", 10);
    const SIZE wide = Extent("Arial", -20, FW_NORMAL, "Stompvale", 20);
    EXPECT_NEAR(wide.cx, 2 * narrow.cx, narrow.cx / 8);
    EXPECT_EQ(wide.cy, narrow.cy);
}

TEST(Fonts, StockFixedFontAndDescriptions) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
    SIZE thin, wide;
    GetTextExtentPoint32A(dc, "iiii", 4, &thin);
    GetTextExtentPoint32A(dc, "WWWW", 4, &wide);
    EXPECT_EQ(thin.cx, wide.cx);
    EXPECT_GT(thin.cx, 0);
    HGDIOBJ fixed = SelectObject(dc, old);
    EXPECT_EQ(fixed, GetStockObject(ANSI_FIXED_FONT));

    LOGFONT lf{};
    lf.lfHeight = -40;
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = 1;
    std::strcpy(lf.lfFaceName, "Arial");
    HFONT font = CreateFontIndirectA(lf);
    LOGFONT back{};
    ASSERT_TRUE(GetObject(font, back));
    EXPECT_EQ(0, std::memcmp(&lf, &back, sizeof lf));
    DeleteObject(font);
    DeleteDC(dc);
}

TEST(Fonts, AFaceOutlivesTheCacheThatDroppedIt) {
    LOGFONT lf{};
    std::strcpy(lf.lfFaceName, "Arial");
    lf.lfHeight = -20;
    const std::shared_ptr<gdi::fonts::FaceInstance> held = gdi::fonts::FaceFor(lf);
    ASSERT_TRUE(held);
    const int advance = held->GlyphOf('W').advance;
    // More sizes than the cache keeps: it starts afresh at least once.
    for (int height = 21; height < 21 + 80; ++height) {
        lf.lfHeight = -height;
        ASSERT_TRUE(gdi::fonts::FaceFor(lf)) << height;
    }
    EXPECT_EQ(held->GlyphOf('W').advance, advance);
    EXPECT_GT(held->LineHeight(), 20);
}
