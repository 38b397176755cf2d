// Block transfers: BitBlt and StretchBlt between colour and one-bit bitmaps.
#include <algorithm>
#include <cstring>
#include <vector>

#include "gdi/raster_objects.h"
#include "gdi/raster_rows.h"

namespace gdi {

namespace {

enum class Op { Copy, And, Or, Black, White, Invalid };

Op OpOf(DWORD rop) {
    switch (rop) {
    case SRCCOPY:
        return Op::Copy;
    case SRCAND:
        return Op::And;
    case SRCPAINT:
        return Op::Or;
    case BLACKNESS:
        return Op::Black;
    case WHITENESS:
        return Op::White;
    default:
        return Op::Invalid;
    }
}

bool UsesSource(Op op) {
    return op == Op::Copy || op == Op::And || op == Op::Or;
}

// One row combined with the raster operation; T is a colour pixel or a mask byte.
template <class T> void Apply(T* d, const T* s, size_t n, Op op) {
    switch (op) {
    case Op::Copy:
        std::memmove(d, s, n * sizeof(T));
        break;
    case Op::And:
        rows::Combine<rows::Bitwise::And>(d, s, n);
        break;
    case Op::Or:
        rows::Combine<rows::Bitwise::Or>(d, s, n);
        break;
    default:
        break;
    }
}

// Source-free operations over a clipped destination rectangle.
void FillOp(Bitmap& dest, int x, int y, int w, int h, Op op) {
    const COLORREF colour = op == Op::White ? 0xFFFFFF : 0;
    for (int row = y; row < y + h; ++row) detail::FillSpan(dest, row, x, x + w, colour);
    dest.touch();
}

// Converts n source pixels, taken at columns cols[i] (or sx + i when cols is
// null), into the destination's format.
struct RowReader {
    const Bitmap& src;
    bool destMono;
    COLORREF srcBk;    // colour -> one-bit: this colour gives 1
    COLORREF destBk;   // one-bit -> colour: 1 gives this
    COLORREF destText; // one-bit -> colour: 0 gives this

    // Returns a pointer to n pixels in destination format: either straight
    // into the source or into the scratch buffer.
    const void* Read(int sy, int sx, const int* cols, size_t n,
                     std::vector<uint32_t>& scratch) const {
        if (!src.mono && !destMono) {
            const uint32_t* s = const_cast<Bitmap&>(src).colourRow(sy);
            if (!cols) return s + sx;
            scratch.resize(n);
            for (size_t i = 0; i < n; ++i) scratch[i] = s[cols[i]];
            return scratch.data();
        }
        if (src.mono && destMono) {
            const uint8_t* s = const_cast<Bitmap&>(src).monoRow(sy);
            if (!cols) return s + sx;
            scratch.resize((n + 3) / 4);
            auto* out = reinterpret_cast<uint8_t*>(scratch.data());
            for (size_t i = 0; i < n; ++i) out[i] = s[cols[i]];
            return out;
        }
        if (!src.mono) { // colour -> one-bit
            const uint32_t* s = const_cast<Bitmap&>(src).colourRow(sy);
            scratch.resize((n + 3) / 4);
            auto* out = reinterpret_cast<uint8_t*>(scratch.data());
            if (cols) {
                for (size_t i = 0; i < n; ++i) out[i] = s[cols[i]] == srcBk ? 1 : 0;
            } else {
                rows::ToMask(out, s + sx, n, srcBk);
            }
            return out;
        }
        const uint8_t* s = const_cast<Bitmap&>(src).monoRow(sy); // one-bit -> colour
        scratch.resize(n);
        if (cols) {
            for (size_t i = 0; i < n; ++i) scratch[i] = s[cols[i]] ? destBk : destText;
        } else {
            for (size_t i = 0; i < n; ++i) scratch[i] = s[sx + i] ? destBk : destText;
        }
        return scratch.data();
    }
};

void WriteRow(Bitmap& dest, int y, int x, const void* row, size_t n, Op op) {
    if (dest.mono) {
        Apply(dest.monoRow(y) + x, static_cast<const uint8_t*>(row), n, op);
    } else {
        Apply(dest.colourRow(y) + x, static_cast<const uint32_t*>(row), n, op);
    }
}

// A private copy of a bitmap, for transfers whose source and destination are
// the same bitmap.
std::unique_ptr<Bitmap> CloneOf(const Bitmap& b) {
    auto c = std::make_unique<Bitmap>();
    c->width = b.width;
    c->height = b.height;
    c->mono = b.mono;
    const size_t n = static_cast<size_t>(b.width) * b.height;
    if (b.mono) {
        c->bits.reset(new uint8_t[n]);
        std::memcpy(c->bits.get(), b.bits.get(), n);
    } else {
        c->colour.reset(new COLORREF[n]);
        std::memcpy(c->colour.get(), b.colour.get(), n * 4);
    }
    return c;
}

// The reader of a transfer's source; it reads a private copy when the source
// is the destination bitmap itself.
struct SourceReader {
    SourceReader(HDC dest, HDC source, Bitmap& d, Bitmap& s)
        : clone(&s == &d ? CloneOf(s) : nullptr), reader{clone ? *clone : s, d.mono,
                                                         source->bkColour, dest->bkColour,
                                                         dest->textColour} {}
    std::unique_ptr<Bitmap> clone;
    RowReader reader;
};

} // namespace

namespace detail {

namespace {

// One axis: the start moved onto the source, the length cut at its end, then
// the same against the destination.
void ClipAxis(long long& d, long long& s, long long& n, long long sourceSize, long long destSize) {
    if (s < 0) {
        d -= s;
        n += s;
        s = 0;
    }
    n = std::min(n, sourceSize - s);
    if (d < 0) {
        s -= d;
        n += d;
        d = 0;
    }
    n = std::min(n, destSize - d);
}

} // namespace

bool ClipTransfer(const Bitmap& dest, const Bitmap& source, int x, int y, int width, int height,
                  int sx, int sy, Transfer& out) {
    out = Transfer{x, y, sx, sy, width, height};
    ClipAxis(out.dx, out.sx, out.width, source.width, dest.width);
    ClipAxis(out.dy, out.sy, out.height, source.height, dest.height);
    return out.width > 0 && out.height > 0;
}

} // namespace detail

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, DWORD rop) {
    Bitmap* d = detail::Target(dest);
    const Op op = OpOf(rop);
    if (!d || op == Op::Invalid) return 0;
    if (width <= 0 || height <= 0) return 1;
    if (!UsesSource(op)) {
        int x0 = std::max(x, 0), y0 = std::max(y, 0);
        int x1 = std::min<long long>(static_cast<long long>(x) + width, d->width);
        int y1 = std::min<long long>(static_cast<long long>(y) + height, d->height);
        if (x0 < x1 && y0 < y1) FillOp(*d, x0, y0, x1 - x0, y1 - y0, op);
        return 1;
    }
    Bitmap* s = detail::Target(source);
    if (!s) return 0;
    detail::Transfer t;
    if (!detail::ClipTransfer(*d, *s, x, y, width, height, sx, sy, t)) return 1;
    const long long w = t.width, h = t.height, dx = t.dx, dy = t.dy, lsx = t.sx, lsy = t.sy;

    const SourceReader input(dest, source, *d, *s);
    const RowReader& reader = input.reader;
    const Bitmap* src = &reader.src;
    std::vector<uint32_t> scratch;
    if (src->mono && !d->mono) {
        // One-bit onto colour straight from the bits: the masked-copy pass.
        const int kind = op == Op::Copy ? 0 : op == Op::And ? 1 : 2;
        for (long long row = 0; row < h; ++row) {
            rows::FromMask(d->colourRow(static_cast<int>(dy + row)) + dx,
                           const_cast<Bitmap*>(src)->monoRow(static_cast<int>(lsy + row)) + lsx,
                           static_cast<size_t>(w), dest->bkColour, dest->textColour, kind);
        }
        d->touch();
        return 1;
    }
    for (long long row = 0; row < h; ++row) {
        const void* line = reader.Read(static_cast<int>(lsy + row), static_cast<int>(lsx), nullptr,
                                       static_cast<size_t>(w), scratch);
        WriteRow(*d, static_cast<int>(dy + row), static_cast<int>(dx), line, static_cast<size_t>(w),
                 op);
    }
    d->touch();
    return 1;
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, int sw,
                int sh, DWORD rop) {
    const Op op = OpOf(rop);
    if (op == Op::Invalid || !detail::Target(dest)) return 0;
    if (width <= 0 || height <= 0) return 1;
    if (!UsesSource(op) || (sw == width && sh == height)) {
        return BitBlt(dest, x, y, width, height, source, sx, sy, rop);
    }
    if (sw <= 0 || sh <= 0) return 1;
    Bitmap* d = dest->bitmap;
    Bitmap* s = detail::Target(source);
    if (!s) return 0;

    // Destination columns whose pixel is on the destination and whose source
    // sample is on the source; the mapping only grows, so they are one range.
    std::vector<int> cols;
    int firstCol = -1;
    for (int i = 0; i < width; ++i) {
        const long long dxp = static_cast<long long>(x) + i;
        const long long sc = sx + static_cast<long long>(i) * sw / width;
        if (dxp < 0 || dxp >= d->width || sc < 0 || sc >= s->width) {
            if (firstCol >= 0) break;
            continue;
        }
        if (firstCol < 0) firstCol = i;
        cols.push_back(static_cast<int>(sc));
    }
    if (cols.empty()) return 1;

    const SourceReader input(dest, source, *d, *s);
    const RowReader& reader = input.reader;
    std::vector<uint32_t> scratch;
    for (int j = 0; j < height; ++j) {
        const long long dyp = static_cast<long long>(y) + j;
        const long long sr = sy + static_cast<long long>(j) * sh / height;
        if (dyp < 0 || sr < 0) continue;
        if (dyp >= d->height || sr >= s->height) break;
        const void* line = reader.Read(static_cast<int>(sr), 0, cols.data(), cols.size(), scratch);
        WriteRow(*d, static_cast<int>(dyp), x + firstCol, line, cols.size(), op);
    }
    d->touch();
    return 1;
}

} // namespace gdi
