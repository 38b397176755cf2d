// The fused two-pass transparent copy. Each row of a (picture, mask) pair is
// split once into runs, kept until either bitmap is written again:
//   skip  - mask 1, picture black: AND with white and OR with black change nothing;
//   copy  - mask 0: AND with black clears, so the result is the picture;
//   mixed - mask 1, picture not black: the destination ORed with the picture.
// The pixels of the copy and mixed runs are kept packed, one after the other
// (once for rows that repeat the row above), so a copy reads neither the
// mask nor the picture: for a picture whose mask is keyed on black, as the
// game's are, it only writes its opaque spans.
// Rows cut into many short runs are done by one straight pass instead; where
// such a row's mask is exactly its black pixels, the pass need not read it.
#include <algorithm>
#include <cstring>
#include <list>
#include <unordered_map>
#include <vector>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "gdi/raster_objects.h"
#include "gdi/raster_rows.h"

namespace gdi {

namespace {

// A copy or mixed run and where its pixels start in the packed pixels.
struct Span {
    int32_t start;
    int32_t end;
    uint32_t at;
    bool mixed;
};

// How a row is copied: by its spans, or straight through mask and picture, or
// straight through the picture alone when its black pixels are the mask's
// transparent ones.
enum class RowMode : uint8_t { Spans, Straight, Keyed };

struct RowSpans {
    uint32_t first = 0; // index into spans
    uint32_t count = 0;
    RowMode mode = RowMode::Spans;
};

constexpr size_t kLine = 64;
constexpr size_t kLinePixels = kLine / sizeof(COLORREF);

struct SpanTable {
    uint64_t imageSerial = 0, maskSerial = 0;
    bool built = false;
    uint64_t imageVersion = 0, maskVersion = 0; // of the spans below
    uint64_t seenImage = 0, seenMask = 0;       // versions at the previous use
    std::vector<Span> spans;
    std::vector<RowSpans> rows;
    std::vector<COLORREF> pixels; // from Origin(), which lies on a cache line
    const COLORREF* Origin() const {
        const uintptr_t misplaced = reinterpret_cast<uintptr_t>(pixels.data()) % kLine;
        return pixels.data() + (misplaced ? (kLine - misplaced) / sizeof(COLORREF) : 0);
    }
    size_t Bytes() const {
        return spans.capacity() * sizeof(Span) + rows.capacity() * sizeof(RowSpans) +
               pixels.capacity() * sizeof(COLORREF);
    }
};

// A row with runs shorter than this on average is not worth walking run by run.
constexpr int kMinAverageRun = 12;
constexpr size_t kCacheEntries = 4096;
constexpr size_t kCacheBytes = size_t{64} << 20;

enum class RunKind : uint8_t { Skip, Copy, Mixed };

RunKind KindOf(uint8_t maskBit, COLORREF pixel) {
    if (maskBit == 0) return RunKind::Copy;
    return pixel == 0 ? RunKind::Skip : RunKind::Mixed;
}

// The copy and mixed runs of one row; false when the row has too many runs.
bool SplitRow(const COLORREF* px, const uint8_t* m, int width, std::vector<Span>& out) {
    int runs = 0;
    int x = 0;
    while (x < width) {
        const RunKind kind = KindOf(m[x], px[x]);
        int end = x + 1;
        while (end < width && KindOf(m[end], px[end]) == kind) ++end;
        if (++runs * kMinAverageRun > width) return false;
        if (kind != RunKind::Skip) out.push_back(Span{x, end, 0, kind == RunKind::Mixed});
        x = end;
    }
    return true;
}

// Whether the mask is 1 exactly where the picture is black.
bool KeyedOnBlack(const COLORREF* px, const uint8_t* m, int width) {
    for (int x = 0; x < width; ++x) {
        if ((m[x] != 0) != (px[x] == 0)) return false;
    }
    return true;
}

// The same as the row above, picture and mask: pixel art enlarged to blocks
// repeats each row, and a repeated row shares the spans and pixels above it.
bool RepeatsRowAbove(Bitmap& image, Bitmap& mask, int y) {
    if (y == 0) return false;
    const size_t w = static_cast<size_t>(image.width);
    return std::memcmp(mask.monoRow(y), mask.monoRow(y - 1), w) == 0 &&
           std::memcmp(image.colourRow(y), image.colourRow(y - 1), w * sizeof(COLORREF)) == 0;
}

void Build(SpanTable& t, Bitmap& image, Bitmap& mask) {
    t.built = true;
    t.imageVersion = image.version;
    t.maskVersion = mask.version;
    t.spans.clear();
    t.pixels.clear();
    t.rows.assign(static_cast<size_t>(image.height), RowSpans{});
    std::vector<int> packedRows; // rows whose own pixels are packed
    size_t packed = 0;
    for (int y = 0; y < image.height; ++y) {
        RowSpans& r = t.rows[static_cast<size_t>(y)];
        if (RepeatsRowAbove(image, mask, y)) {
            r = t.rows[static_cast<size_t>(y) - 1];
            continue;
        }
        const size_t first = t.spans.size();
        if (!SplitRow(image.colourRow(y), mask.monoRow(y), image.width, t.spans)) {
            t.spans.resize(first);
            r.mode = KeyedOnBlack(image.colourRow(y), mask.monoRow(y), image.width)
                         ? RowMode::Keyed
                         : RowMode::Straight;
            continue;
        }
        r.first = static_cast<uint32_t>(first);
        r.count = static_cast<uint32_t>(t.spans.size() - first);
        for (size_t k = first; k < t.spans.size(); ++k) {
            // Each span keeps its pixels' place within a cache line, so the
            // copy reads and writes lines as a copy from the picture would.
            const auto place = reinterpret_cast<uintptr_t>(image.colourRow(y) + t.spans[k].start);
            packed += (place / sizeof(COLORREF) - packed) % kLinePixels;
            t.spans[k].at = static_cast<uint32_t>(packed);
            packed += static_cast<size_t>(t.spans[k].end - t.spans[k].start);
        }
        packedRows.push_back(y);
    }
    t.spans.shrink_to_fit();
    t.pixels.resize(packed + kLinePixels);
    COLORREF* origin = const_cast<COLORREF*>(t.Origin());
    for (const int y : packedRows) {
        const RowSpans& r = t.rows[static_cast<size_t>(y)];
        const COLORREF* px = image.colourRow(y);
        for (uint32_t k = r.first; k < r.first + r.count; ++k) {
            const Span& s = t.spans[k];
            std::memcpy(origin + s.at, px + s.start,
                        static_cast<size_t>(s.end - s.start) * sizeof(COLORREF));
        }
    }
}

// Span tables per (picture, mask) pair, least recently used out first. A
// table is built only once the pair has stayed unchanged between two copies:
// a picture redrawn before every copy is cheaper copied straight.
class SpanCache {
  public:
    const SpanTable* Get(Bitmap& image, Bitmap& mask) {
        const Key key{image.serial, mask.serial};
        auto it = mIndex.find(key);
        if (it == mIndex.end()) {
            image.spanTables = mask.spanTables = true;
            mOrder.emplace_front();
            SpanTable& t = mOrder.front();
            t.imageSerial = image.serial;
            t.maskSerial = mask.serial;
            t.seenImage = image.version;
            t.seenMask = mask.version;
            mIndex[key] = mOrder.begin();
            mBySerial[image.serial].push_back(key);
            if (mask.serial != image.serial) mBySerial[mask.serial].push_back(key);
            Trim();
            return nullptr;
        }
        mOrder.splice(mOrder.begin(), mOrder, it->second);
        SpanTable& t = *it->second;
        if (t.built && t.imageVersion == image.version && t.maskVersion == mask.version) return &t;
        const bool steady = t.seenImage == image.version && t.seenMask == mask.version;
        t.seenImage = image.version;
        t.seenMask = mask.version;
        if (!steady) return nullptr;
        mBytes -= t.Bytes();
        Build(t, image, mask);
        mBytes += t.Bytes();
        Trim();
        return &t;
    }

    // A deleted bitmap's serial never comes back: its tables could only
    // crowd out live ones (every new game's tiles left theirs behind).
    void Forget(uint64_t serial) {
        const auto found = mBySerial.find(serial);
        if (found == mBySerial.end()) return;
        const std::vector<Key> keys = std::move(found->second);
        mBySerial.erase(found);
        for (const Key& key : keys) {
            const auto it = mIndex.find(key);
            if (it != mIndex.end()) Erase(it->second);
        }
    }

    size_t Tables() const { return mOrder.size(); }

  private:
    void Trim() {
        while (mOrder.size() > 1 && (mOrder.size() > kCacheEntries || mBytes > kCacheBytes))
            Erase(std::prev(mOrder.end()));
    }

    void Erase(std::list<SpanTable>::iterator table) {
        const Key key{table->imageSerial, table->maskSerial};
        for (const uint64_t serial : {key.image, key.mask}) {
            const auto found = mBySerial.find(serial);
            if (found == mBySerial.end()) continue;
            std::vector<Key>& keys = found->second;
            keys.erase(std::remove(keys.begin(), keys.end(), key), keys.end());
            if (keys.empty()) mBySerial.erase(found);
        }
        mBytes -= table->Bytes();
        mIndex.erase(key);
        mOrder.erase(table);
    }

    struct Key {
        uint64_t image, mask;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        size_t operator()(const Key& k) const {
            return std::hash<uint64_t>()(k.image * 0x9E3779B97F4A7C15ull ^ k.mask);
        }
    };
    std::list<SpanTable> mOrder;
    std::unordered_map<Key, std::list<SpanTable>::iterator, KeyHash> mIndex;
    std::unordered_map<uint64_t, std::vector<Key>> mBySerial; // the tables of each bitmap
    size_t mBytes = 0;
};

// Never destroyed: bitmaps held by other statics are deleted after it would be.
SpanCache& Cache() {
    static SpanCache& cache = *new SpanCache;
    return cache;
}

#if defined(__x86_64__)
// Long spans go faster through a plain loop of 32-byte stores than through
// memcpy; up to a tile's width memcpy did better in whole frames.
constexpr size_t kLoopCopyFrom = 256;

// At least eight pixels.
__attribute__((target("avx2"))) void CopySpanWide(COLORREF* __restrict d,
                                                  const COLORREF* __restrict s, size_t n) {
    size_t i = 0;
    for (; i + 32 <= n; i += 32) {
        const auto* from = reinterpret_cast<const __m256i*>(s + i);
        auto* to = reinterpret_cast<__m256i*>(d + i);
        const __m256i a = _mm256_loadu_si256(from), b = _mm256_loadu_si256(from + 1);
        const __m256i c = _mm256_loadu_si256(from + 2), e = _mm256_loadu_si256(from + 3);
        _mm256_storeu_si256(to, a);
        _mm256_storeu_si256(to + 1, b);
        _mm256_storeu_si256(to + 2, c);
        _mm256_storeu_si256(to + 3, e);
    }
    for (; i + 8 <= n; i += 8) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i),
                            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i)));
    }
    // The last few again as the span's last eight, over what is already there.
    if (i < n) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + n - 8),
                            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + n - 8)));
    }
}

bool HasWideStores() {
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return has;
}
#endif

void CopySpan(COLORREF* d, const COLORREF* s, size_t n) {
#if defined(__x86_64__)
    if (n >= kLoopCopyFrom && HasWideStores()) {
        CopySpanWide(d, s, n);
        return;
    }
#endif
    std::memcpy(d, s, n * sizeof(COLORREF));
}

// Source columns [sx, sxEnd) of one row from its spans onto d.
void SpanRow(COLORREF* d, const COLORREF* pixels, const Span* spans, uint32_t count, int sx,
             int sxEnd) {
    const Span* s = spans;
    const Span* stop = spans + count;
    // First span that ends after sx; most copies take tiles from their left.
    if (count != 0 && sx > spans->start) {
        s = std::upper_bound(spans, stop, sx, [](int v, const Span& span) { return v < span.end; });
    }
    for (; s != stop && s->start < sxEnd; ++s) {
        const int a = std::max(s->start, sx);
        const int b = std::min(s->end, sxEnd);
        const COLORREF* from = pixels + s->at + (a - s->start);
        if (s->mixed) {
            rows::Or(d + (a - sx), from, static_cast<size_t>(b - a));
        } else {
            CopySpan(d + (a - sx), from, static_cast<size_t>(b - a));
        }
    }
}

} // namespace

namespace detail {

void ForgetSpanTables(uint64_t serial) {
    Cache().Forget(serial);
}

} // namespace detail

size_t TransparentCopyTablesHeld() {
    return Cache().Tables();
}

BOOL TransparentBlt(HDC dest, int x, int y, int width, int height, HDC image, HDC mask, int sx,
                    int sy) {
    Bitmap* d = detail::Target(dest);
    Bitmap* img = detail::Target(image);
    Bitmap* msk = detail::Target(mask);
    if (!d || !img || !msk) return 0;
    if (d->mono || img->mono || !msk->mono || img->width != msk->width ||
        img->height != msk->height || img == d || msk == d) {
        BOOL a = BitBlt(dest, x, y, width, height, mask, sx, sy, SRCAND);
        BOOL b = BitBlt(dest, x, y, width, height, image, sx, sy, SRCPAINT);
        return a && b;
    }
    if (width <= 0 || height <= 0) return 1;
    detail::Transfer t;
    if (!detail::ClipTransfer(*d, *img, x, y, width, height, sx, sy, t)) return 1;
    const long long w = t.width, h = t.height, dx = t.dx, dy = t.dy, lsx = t.sx, lsy = t.sy;

    const int x0 = static_cast<int>(lsx), x1 = static_cast<int>(lsx + w);
    // The mask's 1 and 0 become the destination's background and text colours;
    // the runs assume the usual white and black.
    const COLORREF one = dest->bkColour, zero = dest->textColour;
    if (one != 0xFFFFFF || zero != 0) {
        for (long long row = 0; row < h; ++row) {
            const int sr = static_cast<int>(lsy + row);
            rows::MaskedCopy(d->colourRow(static_cast<int>(dy + row)) + dx, msk->monoRow(sr) + x0,
                             img->colourRow(sr) + x0, static_cast<size_t>(w), one, zero);
        }
        d->touch();
        return 1;
    }
    const SpanTable* table = Cache().Get(*img, *msk);
    for (long long row = 0; row < h; ++row) {
        const int sr = static_cast<int>(lsy + row);
        COLORREF* out = d->colourRow(static_cast<int>(dy + row)) + dx;
        const RowSpans* rs = table ? &table->rows[static_cast<size_t>(sr)] : nullptr;
        if (!rs || rs->mode == RowMode::Straight) {
            rows::MaskedCopy(out, msk->monoRow(sr) + x0, img->colourRow(sr) + x0,
                             static_cast<size_t>(w), 0xFFFFFFFFu, 0);
        } else if (rs->mode == RowMode::Keyed) {
            rows::KeyedCopy(out, img->colourRow(sr) + x0, static_cast<size_t>(w));
        } else {
            SpanRow(out, table->Origin(), table->spans.data() + rs->first, rs->count, x0, x1);
        }
    }
    d->touch();
    return 1;
}

} // namespace gdi
