// Rectangles, ellipses, polygons, lines and single pixels.
//
// Pixel rules:
// - The outline of a shape runs through the pixels of its last column and row
//   (right - 1, bottom - 1). With the null pen only the brush is drawn, over
//   left <= x < right - 1, top <= y < bottom - 1.
// - A pen w wide is centred on the outline: it reaches (w - 1) / 2 pixels
//   outward (rounded down) and the rest inward, corners square for rectangles.
// - An ellipse covers the pixels whose centres lie inside or on the ellipse
//   inscribed in its box (computed exactly in integers, so it is symmetric).
//   With a pen the box is the shape's own box grown by the pen's outer reach;
//   the brush fills the ellipse of the box shrunk by the pen's inner reach.
// - Polygons fill by the alternate (even-odd) rule, sampling each pixel at its
//   own integer point (left edges in, right edges out, top row in, bottom row
//   out: the same pixels as the null-pen rectangle), so the closed outline,
//   drawn through the same integer points, meets the fill without gaps.
// - One-wide lines are Bresenham lines without their end point; wider pens
//   stamp a round pen at every point, the end included (round caps).
#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "gdi/raster_objects.h"

namespace gdi {

namespace {

using detail::FillClippedSpan;

bool HasPen(const DeviceContext& dc) {
    return dc.pen && dc.pen->style != PS_NULL;
}
bool HasBrush(const DeviceContext& dc) {
    return dc.brush && !dc.brush->hollow;
}

void FillBox(Bitmap& b, int x0, int y0, int x1, int y1, COLORREF colour) {
    y0 = std::max(y0, 0);
    y1 = std::min(y1, b.height);
    for (int y = y0; y < y1; ++y) FillClippedSpan(b, y, x0, x1, colour);
}

int OuterReach(int penWidth) {
    return (penWidth - 1) / 2;
}

// The pixels of the ellipse inscribed in [l, r) x [t, b) on row y, as the
// inclusive range [first, last]; false when the row misses it.
bool EllipseRow(long long l, long long t, long long r, long long b, long long y, long long& first,
                long long& last) {
    const long long w = r - l, h = b - t;
    if (w < 1 || h < 1 || y < t || y >= b) return false;
    // In doubled coordinates around the centre: X = 2x + 1 - (l + r), and
    // inside means X^2 h^2 + Y^2 w^2 <= w^2 h^2.
    const long long yy = 2 * y + 1 - (t + b);
    const long double q =
        static_cast<long double>(w) * w * (static_cast<long double>(h) * h - yy * yy);
    if (q < 0) return false;
    const long double hh = static_cast<long double>(h) * h;
    long long xmax = static_cast<long long>(std::sqrt(q / hh)) + 2;
    const long long parity = (w + 1) & 1; // X is odd when w is even
    auto inside = [&](long long xv) { return static_cast<long double>(xv) * xv * hh <= q; };
    if (((xmax & 1) != parity)) --xmax;
    while (xmax >= 0 && !inside(xmax)) xmax -= 2;
    if (xmax < 0) return false;
    first = (l + r - 1 - xmax) / 2;
    last = (l + r - 1 + xmax) / 2;
    return true;
}

void FillEllipse(Bitmap& bmp, long long l, long long t, long long r, long long b, COLORREF c) {
    const long long y0 = std::max<long long>(t, 0), y1 = std::min<long long>(b, bmp.height);
    for (long long y = y0; y < y1; ++y) {
        long long a, z;
        if (!EllipseRow(l, t, r, b, y, a, z)) continue;
        a = std::max<long long>(a, INT_MIN / 2);
        z = std::min<long long>(z, INT_MAX / 2);
        FillClippedSpan(bmp, static_cast<int>(y), static_cast<int>(a), static_cast<int>(z + 1), c);
    }
}

// Per-row extent of a shape built from stamps, each row one run.
class RowExtents {
  public:
    RowExtents(int top, int rows) : mTop(top), mMin(rows, INT_MAX), mMax(rows, INT_MIN) {}
    void Add(int y, int x0, int x1) { // inclusive
        const int i = y - mTop;
        if (i < 0 || i >= static_cast<int>(mMin.size())) return;
        mMin[i] = std::min(mMin[i], x0);
        mMax[i] = std::max(mMax[i], x1);
    }
    void Paint(Bitmap& b, COLORREF c) const {
        for (size_t i = 0; i < mMin.size(); ++i) {
            if (mMin[i] <= mMax[i]) {
                FillClippedSpan(b, mTop + static_cast<int>(i), mMin[i], mMax[i] + 1, c);
            }
        }
    }

  private:
    int mTop;
    std::vector<int> mMin, mMax;
};

// Half-extents of the round pen per row offset: for dy in [lo, hi], columns
// [dxMin[dy - lo], dxMax[dy - lo]].
struct PenShape {
    int lo = 0, hi = 0;
    std::vector<int> dxMin, dxMax;
    explicit PenShape(int w) {
        const int e = (w % 2 == 0) ? 1 : 0;
        lo = -(w / 2);
        hi = (w - 1) / 2;
        for (int dy = lo; dy <= hi; ++dy) {
            int mn = INT_MAX, mx = INT_MIN;
            for (int dx = lo; dx <= hi; ++dx) {
                const int a = 2 * dx + e, c = 2 * dy + e;
                if (a * a + c * c <= w * w) {
                    mn = std::min(mn, dx);
                    mx = std::max(mx, dx);
                }
            }
            dxMin.push_back(mn);
            dxMax.push_back(mx);
        }
    }
};

template <class Visit> void Bresenham(int x0, int y0, int x1, int y1, bool withEnd, Visit visit) {
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int stepX = x0 < x1 ? 1 : -1, stepY = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int x = x0, y = y0;
    while (true) {
        if (x == x1 && y == y1) {
            if (withEnd) visit(x, y);
            break;
        }
        visit(x, y);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += stepX;
        }
        if (e2 <= dx) {
            err += dx;
            y += stepY;
        }
    }
}

void Line(Bitmap& bmp, int x0, int y0, int x1, int y1, const Pen& pen, bool withEnd) {
    // Wholly beyond one edge, pen included: nothing to walk.
    const int reach = pen.width / 2 + 1;
    if ((x0 < -reach && x1 < -reach) || (y0 < -reach && y1 < -reach) ||
        (x0 >= bmp.width + reach && x1 >= bmp.width + reach) ||
        (y0 >= bmp.height + reach && y1 >= bmp.height + reach)) {
        return;
    }
    if (pen.width <= 1) {
        const COLORREF c = pen.colour;
        Bresenham(x0, y0, x1, y1, withEnd, [&](int x, int y) {
            if (x >= 0 && y >= 0 && x < bmp.width && y < bmp.height) {
                if (bmp.mono) {
                    bmp.monoRow(y)[x] = detail::MonoFromColour(c);
                } else {
                    bmp.colourRow(y)[x] = c;
                }
            }
        });
        return;
    }
    const PenShape shape(pen.width);
    const int top = std::max(std::min(y0, y1) + shape.lo, -1);
    const int bottom = std::min(std::max(y0, y1) + shape.hi, bmp.height);
    if (top > bottom) return;
    RowExtents extents(top, bottom - top + 1);
    Bresenham(x0, y0, x1, y1, true, [&](int x, int y) {
        for (int dy = shape.lo; dy <= shape.hi; ++dy) {
            extents.Add(y + dy, x + shape.dxMin[dy - shape.lo], x + shape.dxMax[dy - shape.lo]);
        }
    });
    extents.Paint(bmp, pen.colour);
}

} // namespace

void FillSolidRect(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    Bitmap* b = detail::Target(dc);
    if (!b || left >= right || top >= bottom) return;
    FillBox(*b, left, top, right, bottom, colour);
    b->touch();
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
    Bitmap* b = detail::Target(dc);
    if (!b) return 0;
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    if (HasBrush(*dc)) FillBox(*b, left, top, right - 1, bottom - 1, dc->brush->colour);
    if (HasPen(*dc) && right > left && bottom > top) {
        const int w = dc->pen->width;
        const int a = OuterReach(w);
        const int ol = left - a, ot = top - a, orr = right - 1 + a,
                  ob = bottom - 1 + a;                                 // inclusive
        const int il = ol + w, it = ot + w, ir = orr - w, ib = ob - w; // hole
        const COLORREF c = dc->pen->colour;
        for (int y = std::max(ot, 0); y <= std::min(ob, b->height - 1); ++y) {
            if (y < it || y > ib || il > ir) {
                FillClippedSpan(*b, y, ol, orr + 1, c);
            } else {
                FillClippedSpan(*b, y, ol, il, c);
                FillClippedSpan(*b, y, ir + 1, orr + 1, c);
            }
        }
    }
    b->touch();
    return 1;
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
    Bitmap* b = detail::Target(dc);
    if (!b) return 0;
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    if (!HasPen(*dc)) {
        if (HasBrush(*dc)) FillEllipse(*b, left, top, right - 1, bottom - 1, dc->brush->colour);
        b->touch();
        return 1;
    }
    const int w = dc->pen->width;
    const long long a = OuterReach(w), in = w - a;
    const long long ol = left - a, ot = top - a, orr = right + a, ob = bottom + a;
    const long long il = left + in, it = top + in, ir = right - in, ib = bottom - in;
    if (HasBrush(*dc)) FillEllipse(*b, il, it, ir, ib, dc->brush->colour);
    const COLORREF c = dc->pen->colour;
    const long long y0 = std::max<long long>(ot, 0), y1 = std::min<long long>(ob, b->height);
    for (long long y = y0; y < y1; ++y) {
        long long oa, oz, ia, iz;
        if (!EllipseRow(ol, ot, orr, ob, y, oa, oz)) continue;
        oa = std::max<long long>(oa, -1);
        oz = std::min<long long>(oz, b->width);
        if (EllipseRow(il, it, ir, ib, y, ia, iz) && ia <= iz) {
            ia = std::clamp<long long>(ia, oa, oz + 1);
            iz = std::clamp<long long>(iz, ia - 1, oz);
            FillClippedSpan(*b, static_cast<int>(y), static_cast<int>(oa), static_cast<int>(ia), c);
            FillClippedSpan(*b, static_cast<int>(y), static_cast<int>(iz + 1),
                            static_cast<int>(oz + 1), c);
        } else {
            FillClippedSpan(*b, static_cast<int>(y), static_cast<int>(oa), static_cast<int>(oz + 1),
                            c);
        }
    }
    b->touch();
    return 1;
}

BOOL Polygon(HDC dc, const POINT* points, int count) {
    Bitmap* b = detail::Target(dc);
    if (!b || !points || count < 2) return 0;
    if (HasBrush(*dc) && count >= 3) {
        int ymin = INT_MAX, ymax = INT_MIN;
        for (int i = 0; i < count; ++i) {
            ymin = std::min(ymin, points[i].y);
            ymax = std::max(ymax, points[i].y);
        }
        ymin = std::max(ymin, 0);
        ymax = std::min(ymax, b->height);
        std::vector<double> xs;
        for (int y = ymin; y < ymax; ++y) {
            xs.clear();
            for (int i = 0; i < count; ++i) {
                const POINT& p = points[i];
                const POINT& q = points[(i + 1) % count];
                if (p.y == q.y) continue;
                if (y < std::min(p.y, q.y) || y >= std::max(p.y, q.y)) continue;
                xs.push_back(p.x + static_cast<double>(y - p.y) * (q.x - p.x) / (q.y - p.y));
            }
            std::sort(xs.begin(), xs.end());
            for (size_t k = 0; k + 1 < xs.size(); k += 2) {
                const double a = std::clamp(std::ceil(xs[k]), -1.0, b->width + 1.0);
                const double z = std::clamp(std::ceil(xs[k + 1]), -1.0, b->width + 1.0);
                FillClippedSpan(*b, y, static_cast<int>(a), static_cast<int>(z), dc->brush->colour);
            }
        }
    }
    if (HasPen(*dc)) {
        for (int i = 0; i < count; ++i) {
            const POINT& p = points[i];
            const POINT& q = points[(i + 1) % count];
            Line(*b, p.x, p.y, q.x, q.y, *dc->pen, true);
        }
    }
    b->touch();
    return 1;
}

BOOL MoveToEx(HDC dc, int x, int y, POINT* previous) {
    if (!dc) return 0;
    if (previous) *previous = dc->position;
    dc->position = POINT{x, y};
    return 1;
}

BOOL LineTo(HDC dc, int x, int y) {
    if (!dc) return 0;
    const POINT from = dc->position;
    dc->position = POINT{x, y};
    Bitmap* b = dc->bitmap;
    if (!b) return 0;
    if (HasPen(*dc)) {
        Line(*b, from.x, from.y, x, y, *dc->pen, false);
        b->touch();
    }
    return 1;
}

COLORREF SetPixelV(HDC dc, int x, int y, COLORREF colour) {
    Bitmap* b = detail::Target(dc);
    if (!b || x < 0 || y < 0 || x >= b->width || y >= b->height) return CLR_INVALID;
    b->touch();
    if (b->mono) {
        const uint8_t bit = detail::MonoFromColour(colour);
        b->monoRow(y)[x] = bit;
        return bit ? 0xFFFFFF : 0;
    }
    b->colourRow(y)[x] = colour & detail::kColourBits;
    return colour & detail::kColourBits;
}

COLORREF GetPixel(HDC dc, int x, int y) {
    Bitmap* b = detail::Target(dc);
    if (!b || x < 0 || y < 0 || x >= b->width || y >= b->height) return CLR_INVALID;
    if (b->mono) return b->monoRow(y)[x] ? 0xFFFFFF : 0;
    return b->colourRow(y)[x];
}

} // namespace gdi
