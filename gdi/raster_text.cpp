// Text: DrawTextA and GetTextExtentPoint32A over the cached font faces.
// Anti-aliased on colour bitmaps (the text colour blended over the
// destination by coverage), thresholded at half coverage on one-bit bitmaps.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "gdi/font_faces.h"
#include "gdi/raster_objects.h"

namespace gdi {

namespace {

using gdi::fonts::FaceInstance;
using gdi::fonts::Glyph;

struct Line {
    size_t begin, end; // byte range of the text
    int width;
};

bool IsBreak(char c) {
    return c == '\r' || c == '\n';
}

int Measure(FaceInstance& face, const char* text, size_t begin, size_t end) {
    int w = 0;
    for (size_t i = begin; i < end; ++i)
        w += face.GlyphOf(static_cast<unsigned char>(text[i])).advance;
    return w;
}

// Splits at line breaks and, with DT_WORDBREAK, at spaces so that each line
// fits the width; a word wider than the box keeps a line of its own.
std::vector<Line> Layout(FaceInstance& face, const char* text, size_t n, UINT format,
                         int boxWidth) {
    std::vector<Line> lines;
    if (format & DT_SINGLELINE) {
        lines.push_back(Line{0, n, 0});
    } else {
        size_t start = 0;
        for (size_t i = 0; i <= n; ++i) {
            if (i == n || IsBreak(text[i])) {
                lines.push_back(Line{start, i, 0});
                if (i < n && text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
                start = i + 1;
            }
        }
        if (format & DT_WORDBREAK) {
            std::vector<Line> wrapped;
            for (const Line& l : lines) {
                size_t s = l.begin;
                while (true) {
                    // Take words while they fit.
                    size_t end = s, lastFit = s;
                    while (end < l.end) {
                        size_t wordEnd = end;
                        while (wordEnd < l.end && text[wordEnd] == ' ') ++wordEnd;
                        while (wordEnd < l.end && text[wordEnd] != ' ') ++wordEnd;
                        if (lastFit != s && Measure(face, text, s, wordEnd) > boxWidth) break;
                        lastFit = wordEnd;
                        end = wordEnd;
                    }
                    size_t lineEnd = lastFit;
                    while (lineEnd > s && text[lineEnd - 1] == ' ') --lineEnd;
                    wrapped.push_back(Line{s, lineEnd, 0});
                    s = lastFit;
                    while (s < l.end && text[s] == ' ') ++s;
                    if (s >= l.end) break;
                }
            }
            lines.swap(wrapped);
        }
    }
    for (Line& l : lines) {
        if (format & DT_SINGLELINE) {
            l.width = 0;
            for (size_t i = l.begin; i < l.end; ++i)
                if (!IsBreak(text[i]))
                    l.width += face.GlyphOf(static_cast<unsigned char>(text[i])).advance;
        } else {
            l.width = Measure(face, text, l.begin, l.end);
        }
    }
    return lines;
}

// The text as drawn once the prefix characters are applied, and which of its
// characters carry an underline.
struct PrefixedText {
    std::string shown;
    std::vector<bool> underlined;
};

PrefixedText ApplyPrefixes(const char* text, size_t n, UINT format) {
    PrefixedText out;
    if (format & DT_NOPREFIX) {
        out.shown.assign(text, n);
        out.underlined.assign(n, false);
        return out;
    }
    for (size_t i = 0; i < n; ++i) {
        if (text[i] != '&') {
            out.shown += text[i];
            out.underlined.push_back(false);
            continue;
        }
        if (++i == n) break; // a last lone "&" draws nothing
        out.shown += text[i];
        out.underlined.push_back(text[i] != '&' && !(format & DT_HIDEPREFIX));
    }
    return out;
}

struct Clip {
    int left, top, right, bottom;
};

void BlendGlyph(Bitmap& b, const Glyph& g, int x0, int y0, COLORREF colour, const Clip& clip) {
    const int gx0 = std::max(x0, clip.left), gx1 = std::min(x0 + g.width, clip.right);
    const int gy0 = std::max(y0, clip.top), gy1 = std::min(y0 + g.height, clip.bottom);
    if (gx0 >= gx1 || gy0 >= gy1) return;
    const uint32_t r = colour & 0xFF, gr = (colour >> 8) & 0xFF, bl = (colour >> 16) & 0xFF;
    const uint8_t bit = detail::MonoFromColour(colour);
    for (int y = gy0; y < gy1; ++y) {
        const uint8_t* cov = g.coverage.data() + static_cast<size_t>(y - y0) * g.width - x0;
        if (b.mono) {
            uint8_t* row = b.monoRow(y);
            for (int x = gx0; x < gx1; ++x)
                if (cov[x] >= 128) row[x] = bit;
            continue;
        }
        COLORREF* row = b.colourRow(y);
        for (int x = gx0; x < gx1; ++x) {
            const uint32_t a = cov[x];
            if (a == 0) continue;
            if (a == 255) {
                row[x] = colour;
                continue;
            }
            const uint32_t d = row[x], na = 255 - a;
            const uint32_t nr = ((d & 0xFF) * na + r * a + 127) / 255;
            const uint32_t ng = (((d >> 8) & 0xFF) * na + gr * a + 127) / 255;
            const uint32_t nb = (((d >> 16) & 0xFF) * na + bl * a + 127) / 255;
            row[x] = nr | (ng << 8) | (nb << 16);
        }
    }
}

void DrawUnderline(Bitmap& b, int x0, int x1, int y0, int thickness, COLORREF colour,
                   const Clip& clip) {
    x0 = std::max(x0, clip.left);
    x1 = std::min(x1, clip.right);
    if (x0 >= x1) return;
    for (int y = std::max(y0, clip.top); y < std::min(y0 + thickness, clip.bottom); ++y) {
        detail::FillSpan(b, y, x0, x1, colour);
    }
}

std::shared_ptr<FaceInstance> FaceOf(HDC dc) {
    if (!dc || !dc->font) return nullptr;
    return gdi::fonts::FaceFor(dc->font->description);
}

// The box's clip: the bitmap, and the rectangle unless DT_NOCLIP.
Clip TextClip(const Bitmap& b, const RECT& rect, UINT format) {
    Clip clip{0, 0, b.width, b.height};
    if (!(format & DT_NOCLIP)) {
        clip.left = std::max(clip.left, rect.left);
        clip.top = std::max(clip.top, rect.top);
        clip.right = std::min(clip.right, rect.right);
        clip.bottom = std::min(clip.bottom, rect.bottom);
    }
    return clip;
}

// One laid-out line with its left end at (x, y): the background where it is
// opaque, then its glyphs and underlines along the turned baseline.
void DrawLine(HDC dc, FaceInstance& face, const PrefixedText& prefixed, const Line& l, int x, int y,
              const RECT& rect, UINT format, const Clip& clip) {
    Bitmap& b = *dc->bitmap;
    const char* text = prefixed.shown.c_str();
    const COLORREF colour = dc->textColour & detail::kColourBits;
    const double angle = face.EscapementRadians();
    const double cosA = std::cos(angle), sinA = std::sin(angle);
    const int lineHeight = face.LineHeight();
    if (dc->bkMode == OPAQUE && angle == 0) {
        for (int row = std::max(y, clip.top); row < std::min(y + lineHeight, clip.bottom); ++row)
            detail::FillSpan(b, row, std::max(x, clip.left),
                             std::max(std::max(x, clip.left), std::min(x + l.width, clip.right)),
                             dc->bkColour);
    }
    // Pen on the baseline in 26.6: the line's top-left turned by the
    // escapement around the text's reference point.
    const double dx = x - rect.left, dy = y - rect.top + face.Ascent();
    int64_t penX = std::llround((rect.left + dx * cosA + dy * sinA) * 64);
    int64_t penY = std::llround((rect.top - dx * sinA + dy * cosA) * 64);
    for (size_t i = l.begin; i < l.end; ++i) {
        if ((format & DT_SINGLELINE) && IsBreak(text[i])) continue;
        const Glyph& g = face.GlyphOf(static_cast<unsigned char>(text[i]));
        if (prefixed.underlined[i] && angle == 0) {
            const int ux = static_cast<int>((penX + 32) >> 6);
            const int uy = static_cast<int>((penY + 32) >> 6) + face.UnderlineOffset();
            DrawUnderline(b, ux, ux + g.advance, uy, face.UnderlineThickness(), colour, clip);
        }
        if (!g.coverage.empty() && !(format & DT_PREFIXONLY)) {
            const int gx = static_cast<int>((penX + 32) >> 6) + g.left;
            const int gy = static_cast<int>((penY + 32) >> 6) - g.top;
            BlendGlyph(b, g, gx, gy, colour, clip);
        }
        penX += g.penX;
        penY += g.penY;
    }
}

} // namespace

int DrawTextA(HDC dc, const char* text, int length, RECT* rect, UINT format) {
    if (!dc || !rect || !text) return 0;
    const std::shared_ptr<FaceInstance> face = FaceOf(dc);
    if (!face) return 0;
    const size_t length0 = length < 0 ? std::strlen(text) : static_cast<size_t>(length);
    const PrefixedText prefixed = ApplyPrefixes(text, length0, format);
    const int boxWidth = rect->right - rect->left, boxHeight = rect->bottom - rect->top;
    const std::vector<Line> lines =
        Layout(*face, prefixed.shown.c_str(), prefixed.shown.size(), format, boxWidth);
    const int lineHeight = face->LineHeight();
    const int total = lineHeight * static_cast<int>(lines.size());

    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const Line& l : lines) widest = std::max(widest, l.width);
        rect->right = rect->left + widest;
        rect->bottom = rect->top + total;
        return total;
    }

    // Vertical placement exists for single lines only, as in GDI.
    int top = rect->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER) {
            top = rect->top + (boxHeight - lineHeight) / 2;
        } else if (format & DT_BOTTOM) {
            top = rect->bottom - lineHeight;
        }
    }
    const int result = (format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM))
                           ? top + total - rect->top
                           : total;

    if (!dc->bitmap) return result;
    const Clip clip = TextClip(*dc->bitmap, *rect, format);
    if (clip.left >= clip.right || clip.top >= clip.bottom) return result;
    for (size_t k = 0; k < lines.size(); ++k) {
        const Line& l = lines[k];
        int x = rect->left;
        if (format & DT_CENTER) {
            x = rect->left + (boxWidth - l.width) / 2;
        } else if (format & DT_RIGHT) {
            x = rect->right - l.width;
        }
        DrawLine(dc, *face, prefixed, l, x, top + static_cast<int>(k) * lineHeight, *rect, format,
                 clip);
    }
    dc->bitmap->touch();
    return result;
}

BOOL GetTextExtentPoint32A(HDC dc, const char* text, int length, SIZE* size) {
    if (!size) return 0;
    *size = SIZE{};
    const std::shared_ptr<FaceInstance> face = FaceOf(dc);
    if (!face || !text) return 0;
    const size_t n = length < 0 ? std::strlen(text) : static_cast<size_t>(length);
    size->cx = Measure(*face, text, 0, n);
    size->cy = face->LineHeight();
    return 1;
}

} // namespace gdi
