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
