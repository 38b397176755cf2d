// The game's lettering style in a strip: light glyphs with a vertical
// gradient inside a dark outline, on black that the game keys out.
#include "tools/font_gen/font_strip.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "gdi/font_faces.h"
#include "vb/numeric.h"

namespace font_gen {

namespace {

using gdi::COLORREF;

constexpr int kFirst = 33, kLast = 122, kCells = 90;
constexpr int kOutline = 2; // radius in pixels
// The layout moves on by 0.8 of a width after most glyphs but by the whole
// width between capitals: widths a little above the outlined advance let
// small letters share their outlines and keep capitals apart by a few pixels.
constexpr double kWidthPerAdvance = 1.15;
// Anti-aliased edges in this many steps and the gradient in this many bands
// keep the strip a small, fixed palette.
constexpr int kCoverageSteps = 6;
constexpr int kGradientBands = 4;
constexpr COLORREF kOutlineColour = gdi::RGB(40, 36, 30); // never pure black
constexpr COLORREF kTop = gdi::RGB(255, 238, 168);
constexpr COLORREF kBottom = gdi::RGB(232, 166, 70);
constexpr double kLineAdvance = 0.9;
constexpr int kFaintEdge = 48; // coverage below this does not widen the outline

COLORREF Mix(COLORREF a, COLORREF b, int num, int den) {
    auto channel = [&](int shift) {
        const int ca = static_cast<int>((a >> shift) & 0xFF);
        const int cb = static_cast<int>((b >> shift) & 0xFF);
        return static_cast<COLORREF>((ca * (den - num) + cb * num + den / 2) / den) << shift;
    };
    return channel(0) | channel(8) | channel(16);
}

struct Layout {
    int cell = 0, height = 0, baseline = 0, capTop = 0;
};

// Pen position of a glyph in its cell: the layout centres the width in the
// cell, and the outlined advance is centred in the width.
int PenInCell(const CharacterWidths& widths, int code, int advance, int cell) {
    const int width = widths[code - 32];
    const int pad = width < cell ? vb::RoundEven((cell - width) / 2.0) : 0;
    return pad + vb::RoundEven((width - (advance + 2 * kOutline)) / 2.0) + kOutline;
}

Layout Measure(gdi::fonts::FaceInstance& face, const CharacterWidths& widths) {
    int inkTop = INT_MAX, inkBottom = INT_MIN, cell = 1;
    for (int code = kFirst; code <= kLast; ++code) {
        const gdi::fonts::Glyph& g = face.GlyphOf(static_cast<unsigned char>(code));
        cell = std::max(cell, widths[code - 32]);
        if (g.height == 0) continue;
        inkTop = std::min(inkTop, -g.top);
        inkBottom = std::max(inkBottom, g.height - g.top);
    }
    if (inkBottom < inkTop) throw std::runtime_error("the face has no glyphs for 33 to 122");
    // Widen until every glyph's ink and outline lie inside its cell.
    for (bool fits = false; !fits;) {
        fits = true;
        for (int code = kFirst; code <= kLast && fits; ++code) {
            const gdi::fonts::Glyph& g = face.GlyphOf(static_cast<unsigned char>(code));
            if (g.width == 0) continue;
            const int left = PenInCell(widths, code, g.advance, cell) + g.left - kOutline;
            fits = left >= 0 && left + g.width + 2 * kOutline <= cell;
        }
        if (!fits) cell += 2;
    }
    Layout layout;
    layout.cell = cell;
    // Lines follow each other at 0.9 of the height: a little room above and
    // below keeps the outlines of two lines apart.
    const int inked = inkBottom - inkTop + 2 * kOutline;
    layout.height = static_cast<int>(std::ceil(inked / kLineAdvance));
    layout.baseline = (layout.height - inked) / 2 + kOutline - inkTop;
    layout.capTop = layout.baseline - face.GlyphOf('H').top;
    return layout;
}

std::vector<gdi::POINT> OutlineDisc() {
    std::vector<gdi::POINT> disc;
    for (int dy = -kOutline; dy <= kOutline; ++dy)
        for (int dx = -kOutline; dx <= kOutline; ++dx)
            if (dx * dx + dy * dy <= kOutline * kOutline + kOutline) disc.push_back({dx, dy});
    return disc;
}

} // namespace

BitmapFont DrawBitmapFont(const std::string& faceFile, int emPixels) {
    const std::unique_ptr<gdi::fonts::FaceInstance> face =
        gdi::fonts::OpenFaceFile(faceFile, emPixels);
    if (!face) throw std::runtime_error("cannot use the font file " + faceFile);
    BitmapFont font;
    for (int code = 32; code <= kLast; ++code) {
        const int advance = face->GlyphOf(static_cast<unsigned char>(code)).advance;
        font.widths[code - 32] = vb::RoundEven((advance + 2 * kOutline) * kWidthPerAdvance);
    }
    const Layout layout = Measure(*face, font.widths);
    const int w = layout.cell * kCells, h = layout.height;
    std::vector<uint8_t> level(static_cast<size_t>(w) * h, 0), outline(level.size(), 0);
    std::vector<COLORREF> fill(level.size(), 0);
    const std::vector<gdi::POINT> disc = OutlineDisc();
    const int gradientRows = std::max(1, layout.baseline - layout.capTop);
    for (int code = kFirst; code <= kLast; ++code) {
        const gdi::fonts::Glyph& g = face->GlyphOf(static_cast<unsigned char>(code));
        const int cellLeft = (code - kFirst) * layout.cell;
        const int left = cellLeft + PenInCell(font.widths, code, g.advance, layout.cell) + g.left;
        const int top = layout.baseline - g.top;
        for (int gy = 0; gy < g.height; ++gy) {
            const int y = top + gy;
            const int band = std::clamp((y - layout.capTop) * kGradientBands / gradientRows, 0,
                                        kGradientBands - 1);
            const COLORREF bandColour = Mix(kTop, kBottom, band, kGradientBands - 1);
            for (int gx = 0; gx < g.width; ++gx) {
                const int a = g.coverage[static_cast<size_t>(gy) * g.width + gx];
                if (a == 0) continue;
                const size_t at = static_cast<size_t>(y) * w + left + gx;
                const int q = (a * kCoverageSteps + 127) / 255;
                if (q > level[at]) {
                    level[at] = static_cast<uint8_t>(q);
                    fill[at] = bandColour;
                }
                if (a < kFaintEdge) continue;
                for (const gdi::POINT& d : disc)
                    outline[static_cast<size_t>(y + d.y) * w + left + gx + d.x] = 1;
            }
        }
    }
    font.strip.width = w;
    font.strip.height = h;
    font.strip.pixels.assign(level.size(), 0);
    for (size_t i = 0; i < level.size(); ++i) {
        if (level[i] != 0)
            font.strip.pixels[i] = Mix(kOutlineColour, fill[i], level[i], kCoverageSteps);
        else if (outline[i] != 0)
            font.strip.pixels[i] = kOutlineColour;
    }
    return font;
}

} // namespace font_gen
