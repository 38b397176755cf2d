// Block transfers: BitBlt and StretchBlt between colour and one-bit bitmaps.
#include <algorithm>
#include <cstring>
#include <vector>

#include "gdi/raster_objects.h"
#include "gdi/raster_rop.h"
#include "gdi/raster_rows.h"

namespace gdi {

namespace {

using detail::RasterOp;

// The pattern of an operation: the destination's brush in the destination's
// format. False when the brush paints nothing (the null brush).
bool PatternOf(HDC dest, const Bitmap& d, uint32_t& pattern) {
    const Brush* brush = dest->brush;
    if (!brush || brush->hollow) return false;
    pattern = d.mono ? detail::MonoFromColour(brush->colour) : brush->colour & detail::kColourBits;
    return true;
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

// One row of the destination combined with `row` (in its format) by the operation.
void WriteRow(Bitmap& dest, int y, int x, const void* row, size_t n, RasterOp op,
              uint32_t pattern) {
    if (dest.mono) {
        op.ApplyRow<uint8_t>(dest.monoRow(y) + x, static_cast<const uint8_t*>(row), n,
                             static_cast<uint8_t>(pattern), 1);
    } else {
        op.ApplyRow<uint32_t>(dest.colourRow(y) + x, static_cast<const uint32_t*>(row), n, pattern,
                              detail::kColourBits);
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
    if (!d) return 0;
    const RasterOp op(rop);
    if (width <= 0 || height <= 0) return 1;
    uint32_t pattern = 0;
    if (op.UsesPattern() && !PatternOf(dest, *d, pattern)) return 1;
    if (!op.UsesSource()) {
        const int x0 = std::max(x, 0), y0 = std::max(y, 0);
        const int x1 =
            static_cast<int>(std::min<long long>(static_cast<long long>(x) + width, d->width));
        const int y1 =
            static_cast<int>(std::min<long long>(static_cast<long long>(y) + height, d->height));
        for (int row = y0; row < y1 && x0 < x1; ++row) {
            WriteRow(*d, row, x0, nullptr, static_cast<size_t>(x1 - x0), op, pattern);
        }
        d->touch();
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
    const int maskKind = op.code == 0xCC ? 0 : op.code == 0x88 ? 1 : op.code == 0xEE ? 2 : -1;
    if (src->mono && !d->mono && maskKind >= 0) {
        // One-bit onto colour straight from the bits: the masked-copy pass.
        for (long long row = 0; row < h; ++row) {
            rows::FromMask(d->colourRow(static_cast<int>(dy + row)) + dx,
                           const_cast<Bitmap*>(src)->monoRow(static_cast<int>(lsy + row)) + lsx,
                           static_cast<size_t>(w), dest->bkColour, dest->textColour, maskKind);
        }
        d->touch();
        return 1;
    }
    for (long long row = 0; row < h; ++row) {
        const void* line = reader.Read(static_cast<int>(lsy + row), static_cast<int>(lsx), nullptr,
                                       static_cast<size_t>(w), scratch);
        WriteRow(*d, static_cast<int>(dy + row), static_cast<int>(dx), line, static_cast<size_t>(w),
                 op, pattern);
    }
    d->touch();
    return 1;
}

namespace {

// Where one destination pixel takes its source on one axis: [first, end).
// Enlarging repeats a pixel; shrinking takes every pixel it eliminates.
struct Span {
    int first, end;
};

// The spans of the destination pixels [0, destLength) that lie on the
// destination (at destStart) and take at least one pixel of the source
// (length sourceSize); `first` is the first such pixel. Mirrored when the
// signs of the two lengths differed. The valid pixels are one range, since
// the mapping is monotonic.
std::vector<Span> AxisSpans(long long destStart, long long destLength, long long destSize,
                            long long sourceStart, long long sourceLength, long long sourceSize,
                            bool mirrored, int& first) {
    std::vector<Span> spans;
    first = -1;
    for (long long i = 0; i < destLength; ++i) {
        const long long at = destStart + i;
        const long long j = mirrored ? destLength - 1 - i : i;
        long long from = sourceStart + j * sourceLength / destLength;
        long long to = sourceStart + (j + 1) * sourceLength / destLength;
        if (to <= from) to = from + 1;
        from = std::max(from, 0LL);
        to = std::min(to, sourceSize);
        if (at < 0 || at >= destSize || from >= to) {
            if (first >= 0) break;
            continue;
        }
        if (first < 0) first = static_cast<int>(i);
        spans.push_back(Span{static_cast<int>(from), static_cast<int>(to)});
    }
    return spans;
}

// One destination row of a stretch, in the destination's format: each
// pixel the AND of the source pixels it takes (the default stretch mode),
// across its source rows too.
template <class T>
const T* StretchedRow(const RowReader& reader, const Span& rows, const std::vector<Span>& cols,
                      std::vector<T>& out, std::vector<uint32_t>& scratch) {
    const int colFirst = std::min(cols.front().first, cols.back().first);
    const int colEnd = std::max(cols.front().end, cols.back().end);
    const size_t n = cols.size();
    out.resize(n);
    for (int r = rows.first; r < rows.end; ++r) {
        const T* line = static_cast<const T*>(
            reader.Read(r, colFirst, nullptr, static_cast<size_t>(colEnd - colFirst), scratch));
        for (size_t i = 0; i < n; ++i) {
            T v = line[cols[i].first - colFirst];
            for (int c = cols[i].first + 1; c < cols[i].end; ++c) v &= line[c - colFirst];
            out[i] = r == rows.first ? v : static_cast<T>(out[i] & v);
        }
    }
    return out.data();
}

} // namespace

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, int sw,
                int sh, DWORD rop) {
    Bitmap* d = detail::Target(dest);
    if (!d) return 0;
    const RasterOp op(rop);
    if (width == 0 || height == 0) return 1;
    // A negative length runs from the other end: mirrored when the source's
    // and the destination's signs differ.
    const bool mirrorX = (width < 0) != (sw < 0), mirrorY = (height < 0) != (sh < 0);
    long long dx = x, dy = y, dw = width, dh = height;
    long long lsx = sx, lsy = sy, lsw = sw, lsh = sh;
    if (dw < 0) dx += dw, dw = -dw;
    if (dh < 0) dy += dh, dh = -dh;
    if (lsw < 0) lsx += lsw, lsw = -lsw;
    if (lsh < 0) lsy += lsh, lsh = -lsh;
    if (!op.UsesSource() || (lsw == dw && lsh == dh && !mirrorX && !mirrorY)) {
        return BitBlt(dest, static_cast<int>(dx), static_cast<int>(dy), static_cast<int>(dw),
                      static_cast<int>(dh), source, static_cast<int>(lsx), static_cast<int>(lsy),
                      rop);
    }
    Bitmap* s = detail::Target(source);
    if (!s) return 0;
    if (lsw == 0 || lsh == 0) return 1;
    uint32_t pattern = 0;
    if (op.UsesPattern() && !PatternOf(dest, *d, pattern)) return 1;

    int firstCol = 0, firstRow = 0;
    const std::vector<Span> cols =
        AxisSpans(dx, dw, d->width, lsx, lsw, s->width, mirrorX, firstCol);
    const std::vector<Span> rowSpans =
        AxisSpans(dy, dh, d->height, lsy, lsh, s->height, mirrorY, firstRow);
    if (cols.empty() || rowSpans.empty()) return 1;

    const SourceReader input(dest, source, *d, *s);
    std::vector<uint32_t> scratch, colourRow;
    std::vector<uint8_t> monoRow;
    const bool readsDestination = op.UsesDestination();
    for (size_t j = 0; j < rowSpans.size(); ++j) {
        const int destRow = static_cast<int>(dy + firstRow + static_cast<long long>(j));
        const int destCol = static_cast<int>(dx + firstCol);
        // An enlarged row repeats the one above it: copy it rather than
        // gathering and combining its pixels again.
        if (j > 0 && !readsDestination && rowSpans[j].first == rowSpans[j - 1].first &&
            rowSpans[j].end == rowSpans[j - 1].end) {
            if (d->mono) {
                std::memcpy(d->monoRow(destRow) + destCol, d->monoRow(destRow - 1) + destCol,
                            cols.size());
            } else {
                std::memcpy(d->colourRow(destRow) + destCol, d->colourRow(destRow - 1) + destCol,
                            cols.size() * sizeof(COLORREF));
            }
            continue;
        }
        const void* line =
            d->mono ? static_cast<const void*>(
                          StretchedRow<uint8_t>(input.reader, rowSpans[j], cols, monoRow, scratch))
                    : static_cast<const void*>(StretchedRow<uint32_t>(input.reader, rowSpans[j],
                                                                      cols, colourRow, scratch));
        WriteRow(*d, destRow, destCol, line, cols.size(), op, pattern);
    }
    d->touch();
    return 1;
}

} // namespace gdi
