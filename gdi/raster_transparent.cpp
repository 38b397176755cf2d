// The fused two-pass transparent copy. Each row of a (picture, mask) pair is
// split once into runs, kept until either bitmap is written again:
//   skip  - mask 1, picture black: AND with white and OR with black change nothing;
//   copy  - mask 0: AND with black clears, so the result is the picture;
//   mixed - mask 1, picture not black: the destination ORed with the picture.
// Rows cut into many short runs are done by one straight pass instead.
#include <algorithm>
#include <cstring>
#include <list>
#include <unordered_map>
#include <vector>

#include "gdi/raster_objects.h"
#include "gdi/raster_rows.h"

namespace gdi {

namespace {

enum class RunKind : uint8_t { Skip, Copy, Mixed };

struct Run {
    int32_t start;
    int32_t end;
    RunKind kind;
};

struct RowRuns {
    uint32_t first = 0; // index into runs
    uint32_t count = 0;
    bool straight = false;
};

struct SpanTable {
    uint64_t imageSerial = 0, maskSerial = 0;
    bool built = false;
    uint64_t imageVersion = 0, maskVersion = 0; // of the runs below
    uint64_t seenImage = 0, seenMask = 0;       // versions at the previous use
    std::vector<Run> runs;
    std::vector<RowRuns> rows;
    size_t Bytes() const {
        return runs.capacity() * sizeof(Run) + rows.capacity() * sizeof(RowRuns);
    }
};

// A row with runs shorter than this on average is not worth walking run by run.
constexpr int kMinAverageRun = 12;
constexpr size_t kCacheEntries = 4096;
constexpr size_t kCacheBytes = size_t{64} << 20;

RunKind KindOf(uint8_t maskBit, COLORREF pixel) {
    if (maskBit == 0) return RunKind::Copy;
    return pixel == 0 ? RunKind::Skip : RunKind::Mixed;
}

void Build(SpanTable& t, Bitmap& image, Bitmap& mask) {
    t.built = true;
    t.imageVersion = image.version;
    t.maskVersion = mask.version;
    t.runs.clear();
    t.rows.assign(static_cast<size_t>(image.height), RowRuns{});
    std::vector<Run> rowRuns;
    for (int y = 0; y < image.height; ++y) {
        const COLORREF* px = image.colourRow(y);
        const uint8_t* m = mask.monoRow(y);
        rowRuns.clear();
        int x = 0;
        while (x < image.width) {
            const RunKind kind = KindOf(m[x], px[x]);
            int end = x + 1;
            while (end < image.width && KindOf(m[end], px[end]) == kind) ++end;
            rowRuns.push_back(Run{x, end, kind});
            x = end;
            if (static_cast<int>(rowRuns.size()) * kMinAverageRun > image.width) break;
        }
        RowRuns& r = t.rows[static_cast<size_t>(y)];
        if (static_cast<int>(rowRuns.size()) * kMinAverageRun > image.width) {
            r.straight = true;
            continue;
        }
        r.first = static_cast<uint32_t>(t.runs.size());
        r.count = static_cast<uint32_t>(rowRuns.size());
        t.runs.insert(t.runs.end(), rowRuns.begin(), rowRuns.end());
    }
    t.runs.shrink_to_fit();
}

// Run tables per (picture, mask) pair, least recently used out first. A
// table is built only once the pair has stayed unchanged between two copies:
// a picture redrawn before every copy is cheaper copied straight.
class SpanCache {
  public:
    const SpanTable* Get(Bitmap& image, Bitmap& mask) {
        const Key key{image.serial, mask.serial};
        auto it = mIndex.find(key);
        if (it == mIndex.end()) {
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

void RunRow(COLORREF* d, const COLORREF* img, const Run* runs, uint32_t count, int sx, int sxEnd) {
    // First run that ends after sx.
    const Run* r =
        std::upper_bound(runs, runs + count, sx, [](int v, const Run& run) { return v < run.end; });
    const Run* stop = runs + count;
    for (; r != stop && r->start < sxEnd; ++r) {
        const int a = std::max(r->start, sx);
        const int b = std::min(r->end, sxEnd);
        switch (r->kind) {
        case RunKind::Skip:
            break;
        case RunKind::Copy:
            std::memcpy(d + (a - sx), img + a, static_cast<size_t>(b - a) * 4);
            break;
        case RunKind::Mixed:
            rows::Or(d + (a - sx), img + a, static_cast<size_t>(b - a));
            break;
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
        const RowRuns* rr = table ? &table->rows[static_cast<size_t>(sr)] : nullptr;
        if (!rr || rr->straight) {
            rows::MaskedCopy(out, msk->monoRow(sr) + x0, img->colourRow(sr) + x0,
                             static_cast<size_t>(w), 0xFFFFFFFFu, 0);
        } else {
            RunRow(out, img->colourRow(sr), table->runs.data() + rr->first, rr->count, x0, x1);
        }
    }
    d->touch();
    return 1;
}

} // namespace gdi
