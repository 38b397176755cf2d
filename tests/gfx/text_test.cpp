// Fonts through the host window, and text drawn on surfaces and contexts.
#include <gtest/gtest.h>

#include <cstring>

#include "gfx/kivSprite3.h"
#include "gfx/modGraphic.h"
#include "gfx_support.h"
#include "platform/forms.h"

namespace {

// Registers a host window for one test and puts the private one back after.
struct HostFor {
    explicit HostFor(platform::Form& form) { SetHostWindow(&form); }
    ~HostFor() { SetHostWindow(nullptr); }
};

} // namespace

TEST(Text, WithoutARegisteredWindowAPrivateHostServes) {
    SetHostWindow(nullptr);
    platform::Form& host = HostWindow();
    EXPECT_EQ(host.Name(), "kivHost");
    EXPECT_EQ(&HostWindow(), &host);
    platform::Form mine("kivForm");
    HostFor use(mine);
    EXPECT_EQ(&HostWindow(), &mine);
}

TEST(Text, FontFromHostFormReadsTheCurrentFontAndLeavesIt) {
    platform::Form form("kivForm");
    form.SetFont("Arial", 12, true, true);
    gdi::LOGFONT first, second;
    FontFromHostForm(form, first);
    EXPECT_EQ(first.lfHeight, -16);
    EXPECT_EQ(first.lfWeight, gdi::FW_BOLD);
    EXPECT_NE(first.lfItalic, 0);
    EXPECT_STREQ(first.lfFaceName, "Arial");
    FontFromHostForm(form, second); // still the same font selected
    EXPECT_EQ(std::memcmp(&first, &second, sizeof first), 0);
    form.SetFont("Courier New", 9, false, false);
    FontFromHostForm(form, second);
    EXPECT_EQ(second.lfHeight, -12);
    EXPECT_EQ(second.lfWeight, gdi::FW_NORMAL);
    EXPECT_STREQ(second.lfFaceName, "Courier New");
}

TEST(Text, SurfaceFontSetsTheHostAndKeepsItsDescription) {
    platform::Form host("kivForm");
    HostFor use(host);
    kivSprite3 s;
    EXPECT_EQ(s.FontDescription().lfHeight, 0); // all zero at creation
    s.Font("Arial", 24, false, true);
    EXPECT_EQ(host.FontName(), "Arial");
    EXPECT_EQ(host.FontSize(), 24);
    EXPECT_TRUE(host.FontItalic());
    EXPECT_EQ(s.FontDescription().lfHeight, -32);
    EXPECT_NE(s.FontDescription().lfItalic, 0);
    host.SetFont("Courier New", 8, false, false); // the surface keeps its copy
    EXPECT_EQ(s.FontDescription().lfHeight, -32);
    EXPECT_EQ(s.FontWidth("abc"), host.TextWidth("abc"));
    EXPECT_EQ(s.FontHeight("abc"), host.TextHeight("abc"));
}

TEST(Text, DrawTextGdiLeavesTheHostWithItsFont) {
    platform::Form host("kivForm");
    HostFor use(host);
    Canvas canvas(200, 40, 0);
    DrawTextGdi(canvas.dc(), "123", "Arial", 20, true, false, 0, 0, 200, 25, 0xFFFFFF,
                gdi::DT_RIGHT, 0, 0, 0, 0, 0, false);
    EXPECT_EQ(host.FontName(), "Arial");
    EXPECT_EQ(host.FontSize(), 20);
    EXPECT_TRUE(host.FontBold());
    EXPECT_EQ(gdi::GetBkMode(canvas.dc()), gdi::OPAQUE);  // put back
    EXPECT_EQ(gdi::GetTextColor(canvas.dc()), 0xFFFFFFu); // kept
}

namespace {

// Rightmost column holding a pixel other than `background`, -1 when none.
int RightmostInk(const Canvas& c, int width, int height, gdi::COLORREF background) {
    int right = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (c.At(x, y) != background && x > right) right = x;
    return right;
}

int RightmostOpaque(kivSprite3& s) {
    int right = -1;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            if (s.GetPixel(x, y) != -2 && x > right) right = x;
    return right;
}

} // namespace

TEST(Text, SurfaceTextBoxDefaultsToWidthLessLeft) {
    platform::Form host("kivForm");
    HostFor use(host);
    kivSprite3 s;
    s.Initialize(true, 100, 30, -1, "", -1);
    s.Font("Arial", 12, true, false);
    s.DrawText("WW", 10, 0, 0xFFFFFF, gdi::DT_RIGHT | gdi::DT_SINGLELINE, 0, 0, 0, 0, 0);
    const int right = RightmostOpaque(s);
    EXPECT_GE(right, 80);
    EXPECT_LT(right, 90);
    EXPECT_EQ(gdi::GetTextColor(s.MainHDC()), 0xFFFFFFu);
    EXPECT_EQ(gdi::GetTextColor(s.MaskHDC()), 0u);

    // A rebuild keeps the faint anti-aliased edge, now opaque: start afresh.
    s.Initialize(true, 100, 30, -1, "", -1);
    ASSERT_EQ(RightmostOpaque(s), -1);
    s.DrawText("WW", 10, 0, 0xFFFFFF, gdi::DT_RIGHT | gdi::DT_SINGLELINE, 0, 60, 0, 0, 0);
    EXPECT_GE(RightmostOpaque(s), 50);
    EXPECT_LT(RightmostOpaque(s), 60);

    // Never clipped to the box.
    s.Initialize(true, 100, 30, -1, "", -1);
    s.DrawText("WWWWWW", 0, 0, 0xFFFFFF, gdi::DT_LEFT | gdi::DT_SINGLELINE, 0, 20, 0, 0, 0);
    EXPECT_GT(RightmostOpaque(s), 40);
}

TEST(Text, DrawTextGdiBoxAndClipping) {
    platform::Form host("kivForm");
    HostFor use(host);
    const uint32_t right = gdi::DT_RIGHT | gdi::DT_SINGLELINE;
    Canvas a(200, 40, 0);
    DrawTextGdi(a.dc(), "88", "Arial", 12, true, false, 10, 0, 100, 25, 0xFFFFFF, right, 0, 0, 0, 0,
                0, false);
    EXPECT_GE(RightmostInk(a, 200, 40, 0), 100);
    EXPECT_LT(RightmostInk(a, 200, 40, 0), 110);

    Canvas b(200, 40, 0);
    DrawTextGdi(b.dc(), "88", "Arial", 12, true, false, 10, 0, 100, 25, 0xFFFFFF, right, 0, 150, 30,
                0, 0, false);
    EXPECT_GE(RightmostInk(b, 200, 40, 0), 140);
    EXPECT_LT(RightmostInk(b, 200, 40, 0), 150);

    Canvas clipped(200, 40, 0), loose(200, 40, 0);
    for (auto [canvas, clip] : {std::pair{&clipped, true}, std::pair{&loose, false}})
        DrawTextGdi(canvas->dc(), "WWWWWWWW", "Arial", 12, false, false, 10, 0, 30, 25, 0xFFFFFF,
                    gdi::DT_LEFT | gdi::DT_SINGLELINE, 0, 0, 0, 0, 0, clip);
    EXPECT_LT(RightmostInk(clipped, 200, 40, 0), 40);
    EXPECT_GE(RightmostInk(clipped, 200, 40, 0), 30);
    EXPECT_GT(RightmostInk(loose, 200, 40, 0), 60);
}
