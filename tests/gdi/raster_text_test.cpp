#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "raster_test_canvas.h"

using namespace gdi;
using rastertest::Canvas;

namespace {

struct Box {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN; // inclusive
    bool empty() const { return left > right; }
};

Box InkBox(const Canvas& c, int width, int height, COLORREF paper = 0) {
    Box b;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (GetPixel(c.dc(), x, y) != paper) {
                b.left = std::min(b.left, x);
                b.right = std::max(b.right, x);
                b.top = std::min(b.top, y);
                b.bottom = std::max(b.bottom, y);
            }
    return b;
}

// Draws with a font made for this call, as the game's helpers do.
int Draw(HDC dc, const char* text, RECT r, UINT format, int height = -20, int weight = FW_BOLD,
         int escapement = 0, RECT* out = nullptr) {
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfEscapement = escapement;
    std::strcpy(lf.lfFaceName, "Arial");
    HFONT font = CreateFontIndirectA(lf);
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, 0xFFFFFF);
    const int h = DrawTextA(dc, text, -1, &r, format);
    if (out) *out = r;
    SelectObject(dc, old);
    DeleteObject(font);
    return h;
}

constexpr RECT kBox{20, 10, 220, 60};

} // namespace

TEST(RasterText, HorizontalAlignmentInItsBox) {
    Canvas l(240, 70), c(240, 70), r(240, 70);
    Draw(l.dc(), "Hello", kBox, DT_LEFT | DT_SINGLELINE);
    Draw(c.dc(), "Hello", kBox, DT_CENTER | DT_SINGLELINE);
    Draw(r.dc(), "Hello", kBox, DT_RIGHT | DT_SINGLELINE);
    const Box bl = InkBox(l, 240, 70), bc = InkBox(c, 240, 70), br = InkBox(r, 240, 70);
    ASSERT_FALSE(bl.empty());
    EXPECT_GE(bl.left, kBox.left);
    EXPECT_LE(bl.left, kBox.left + 3);
    EXPECT_LE(br.right, kBox.right - 1);
    EXPECT_GE(br.right, kBox.right - 4);
    const int gapLeft = bc.left - kBox.left, gapRight = kBox.right - 1 - bc.right;
    EXPECT_NEAR(gapLeft, gapRight, 3);
    // The same glyphs, only moved.
    EXPECT_EQ(bl.right - bl.left, bc.right - bc.left);
    EXPECT_EQ(bl.top, bc.top);
}

TEST(RasterText, VerticalPlacementForSingleLines) {
    Canvas t(240, 70), v(240, 70), b(240, 70), multi(240, 70);
    Draw(t.dc(), "Hello", kBox, DT_SINGLELINE);
    const int offset = Draw(v.dc(), "Hello", kBox, DT_VCENTER | DT_SINGLELINE);
    Draw(b.dc(), "Hello", kBox, DT_BOTTOM | DT_SINGLELINE);
    Draw(multi.dc(), "Hello", kBox, DT_VCENTER); // ignored without DT_SINGLELINE
    const Box bt = InkBox(t, 240, 70), bv = InkBox(v, 240, 70), bb = InkBox(b, 240, 70);
    EXPECT_LE(bt.top - kBox.top, 6);
    EXPECT_NEAR(bv.top - kBox.top, kBox.bottom - 1 - bv.bottom, 3);
    EXPECT_LE(kBox.bottom - 1 - bb.bottom, 6);
    EXPECT_LT(kBox.bottom - 1 - bb.bottom, bb.top - kBox.top);
    EXPECT_EQ(InkBox(multi, 240, 70).top, bt.top);
    EXPECT_GT(offset, 20);
    EXPECT_LE(offset, kBox.bottom - kBox.top);
}

TEST(RasterText, ClipsToTheBoxUnlessToldNot) {
    Canvas a(200, 40), b(200, 40);
    const RECT narrow{10, 5, 40, 35};
    Draw(a.dc(), "Wide words here", narrow, DT_SINGLELINE);
    Draw(b.dc(), "Wide words here", narrow, DT_SINGLELINE | DT_NOCLIP);
    const Box ba = InkBox(a, 200, 40), bb = InkBox(b, 200, 40);
    EXPECT_GE(ba.left, narrow.left);
    EXPECT_LT(ba.right, narrow.right);
    EXPECT_GT(bb.right, narrow.right + 40);
}

TEST(RasterText, WordBreakAndMeasuring) {
    Canvas c(200, 200);
    RECT r{0, 0, 70, 0};
    const int oneLine = Draw(c.dc(), "alpha", r, DT_CALCRECT);
    const int h = Draw(c.dc(), "alpha beta gamma", r, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(h, 3 * oneLine);
    EXPECT_EQ(Draw(c.dc(), "alpha\nbeta", r, DT_CALCRECT), 2 * oneLine);
    RECT measured{};
    Draw(c.dc(), "alpha beta", RECT{5, 5, 6, 6}, DT_SINGLELINE | DT_CALCRECT, -20, FW_BOLD, 0,
         &measured);
    EXPECT_EQ(measured.left, 5);
    EXPECT_GT(measured.right, 60);
    EXPECT_EQ(measured.bottom - measured.top, oneLine);
    EXPECT_TRUE(InkBox(c, 200, 200).empty()); // measuring draws nothing

    Draw(c.dc(), "alpha beta gamma", RECT{0, 0, 70, 200}, DT_WORDBREAK);
    const Box drawn = InkBox(c, 200, 200);
    EXPECT_LT(drawn.right, 70);
    EXPECT_GT(drawn.bottom, 2 * oneLine);
}

TEST(RasterText, AntiAliasedOnColourThresholdedOnOneBit) {
    Canvas c(120, 40);
    Draw(c.dc(), "Sword", RECT{0, 0, 120, 40}, DT_SINGLELINE, -24, FW_NORMAL, 0);
    int partial = 0, full = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            const COLORREF p = GetPixel(c.dc(), x, y);
            if (p == 0xFFFFFF)
                ++full;
            else if (p != 0) {
                ++partial;
                EXPECT_EQ(p & 0xFF, (p >> 8) & 0xFF); // grey: white blended over black
            }
        }
    EXPECT_GT(full, 20);
    EXPECT_GT(partial, 10);

    Canvas m(120, 40, Canvas::kOneBit);
    Draw(m.dc(), "Sword", RECT{0, 0, 120, 40}, DT_SINGLELINE, -24, FW_NORMAL, 0);
    int ones = 0;
    for (int i = 0; i < 120 * 40; ++i) ones += BitmapMonoPixels(m.bitmap())[i];
    EXPECT_GT(ones, full / 2);
    EXPECT_LT(ones, full + partial);
}

TEST(RasterText, OpaqueModeFillsTheExtentFirst) {
    Canvas c(100, 30);
    LOGFONT lf{};
    lf.lfHeight = -16;
    std::strcpy(lf.lfFaceName, "Arial");
    HFONT font = CreateFontIndirectA(lf);
    HGDIOBJ old = SelectObject(c.dc(), font);
    SetBkColor(c.dc(), RGB(0, 0, 255));
    SetTextColor(c.dc(), RGB(255, 255, 0));
    SIZE extent;
    ASSERT_TRUE(GetTextExtentPoint32A(c.dc(), "ab", 2, &extent));
    RECT r{10, 5, 100, 30};
    DrawTextA(c.dc(), "ab", 2, &r, DT_SINGLELINE);
    SelectObject(c.dc(), old);
    DeleteObject(font);
    const Box blue = InkBox(c, 100, 30);
    EXPECT_EQ(blue.left, 10);
    EXPECT_EQ(blue.top, 5);
    EXPECT_EQ(blue.right, 10 + extent.cx - 1);
    EXPECT_EQ(blue.bottom, 5 + extent.cy - 1);
    EXPECT_EQ(GetPixel(c.dc(), 10, 5), RGB(0, 0, 255));
}

TEST(RasterText, EscapementTurnsTheBaseline) {
    Canvas flat(120, 120), up(120, 120);
    Draw(flat.dc(), "Climb", RECT{40, 60, 120, 120}, DT_NOCLIP | DT_SINGLELINE, -20, FW_NORMAL, 0);
    Draw(up.dc(), "Climb", RECT{40, 100, 120, 120}, DT_NOCLIP | DT_SINGLELINE, -20, FW_NORMAL, 900);
    const Box f = InkBox(flat, 120, 120), u = InkBox(up, 120, 120);
    EXPECT_GT(f.right - f.left, 2 * (f.bottom - f.top));
    EXPECT_GT(u.bottom - u.top, 2 * (u.right - u.left));
    EXPECT_LE(u.bottom, 100 + 2); // reads upward from the reference point
}

TEST(RasterText, PrefixCharactersFollowGdi) {
    // Each text drawn right-aligned, as the banner draws a monster's name,
    // against the text it shows drawn literally; `underlined` is the shown
    // character that carries an underline (-1: none).
    struct Case {
        const char* text;
        UINT extra;
        const char* shown;
        int underlined;
    };
    const Case cases[] = {
        {"Cat & Dog", 0, "Cat  Dog", 4},
        {"&Dog", 0, "Dog", 0},
        {"Cat && Dog", 0, "Cat & Dog", -1},
        {"Dog&", 0, "Dog", -1},
        {"Cat & Dog", DT_NOPREFIX, "Cat & Dog", -1},
        {"Cat &Dog", DT_HIDEPREFIX, "Cat Dog", -1},
    };
    const int width = 240, height = 70;
    for (const Case& c : cases) {
        Canvas prefixed(width, height), literal(width, height);
        Draw(prefixed.dc(), c.text, kBox, DT_RIGHT | DT_SINGLELINE | c.extra);
        Draw(literal.dc(), c.shown, kBox, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
        RECT measured = kBox, shownRect = kBox;
        Draw(prefixed.dc(), c.text, kBox, DT_CALCRECT | DT_SINGLELINE | c.extra, -20, FW_BOLD, 0,
             &measured);
        Draw(literal.dc(), c.shown, kBox, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX, -20, FW_BOLD,
             0, &shownRect);
        EXPECT_EQ(measured.right, shownRect.right) << c.text;

        // Where the two differ, only the underline shows: a band of white
        // below the glyphs' baseline, under the one character.
        const Box glyphs = InkBox(literal, width, height);
        Box underline;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const COLORREF a = GetPixel(prefixed.dc(), x, y), b = GetPixel(literal.dc(), x, y);
                if (a == b) continue;
                EXPECT_EQ(a, 0xFFFFFFu) << c.text << " at " << x << "," << y;
                underline.left = std::min(underline.left, x);
                underline.right = std::max(underline.right, x);
                underline.top = std::min(underline.top, y);
                underline.bottom = std::max(underline.bottom, y);
            }
        }
        if (c.underlined < 0) {
            EXPECT_TRUE(underline.empty()) << c.text;
            continue;
        }
        ASSERT_FALSE(underline.empty()) << c.text;
        EXPECT_LE(underline.bottom - underline.top, 3) << c.text;
        EXPECT_GT(underline.top, glyphs.top + 10) << c.text; // well below the capitals' tops
        // Its width is the character's advance, and it starts where the
        // character does: after the measured width of what comes before.
        const std::string before(c.shown, static_cast<size_t>(c.underlined));
        const std::string upTo(c.shown, static_cast<size_t>(c.underlined) + 1);
        RECT head = kBox, through = kBox;
        Draw(literal.dc(), before.c_str(), kBox, DT_CALCRECT | DT_SINGLELINE, -20, FW_BOLD, 0,
             &head);
        Draw(literal.dc(), upTo.c_str(), kBox, DT_CALCRECT | DT_SINGLELINE, -20, FW_BOLD, 0,
             &through);
        const int start = kBox.right - (shownRect.right - kBox.left);
        EXPECT_EQ(underline.left, start + (head.right - kBox.left)) << c.text;
        EXPECT_EQ(underline.right + 1, start + (through.right - kBox.left)) << c.text;
    }
}
