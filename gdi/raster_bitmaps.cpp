// Contexts, bitmaps, pens, brushes and the state a context carries.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>
#include <unistd.h>

#include "gdi/raster_objects.h"
#include "gdi/raster_rows.h"

namespace gdi {

namespace {

uint64_t gMemoryLimit = 0;
uint64_t gMemoryInUse = 0;
uint64_t gNextSerial = 1;

Brush* MakeStockBrush(bool hollow, COLORREF colour) {
    auto* b = new Brush;
    b->stock = true;
    b->hollow = hollow;
    b->colour = colour;
    return b;
}

Pen* MakeStockPen(int style, COLORREF colour) {
    auto* p = new Pen;
    p->stock = true;
    p->style = style;
    p->colour = colour;
    return p;
}

Font* MakeStockFont(int height, int weight, const char* face) {
    auto* f = new Font;
    f->stock = true;
    f->description.lfHeight = height;
    f->description.lfWeight = weight;
    std::strncpy(f->description.lfFaceName, face, sizeof(f->description.lfFaceName) - 1);
    return f;
}

// Stock objects live for the whole process.
struct Stock {
    Brush* white = MakeStockBrush(false, 0xFFFFFF);
    Brush* black = MakeStockBrush(false, 0);
    Brush* hollow = MakeStockBrush(true, 0);
    Pen* whitePen = MakeStockPen(PS_SOLID, 0xFFFFFF);
    Pen* blackPen = MakeStockPen(PS_SOLID, 0);
    Pen* nullPen = MakeStockPen(PS_NULL, 0);
    Font* fixedFont = MakeStockFont(-13, FW_NORMAL, "monospace");
    Font* systemFont = MakeStockFont(16, FW_BOLD, "sans-serif");
    Bitmap* defaultBitmap = nullptr;
};

Stock& Stocks() {
    static Stock stock;
    return stock;
}

// `cleared` false leaves the memory as it comes, for callers that write every
// pixel at once: clearing a giant picture first would cost a pass over it.
Bitmap* NewBitmap(int width, int height, bool mono, bool cleared = true) {
    if (width < 1 || height < 1) return nullptr;
    const uint64_t pixels = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
    const uint64_t bytes = pixels * (mono ? 1u : 4u);
    if (gMemoryLimit != 0 && gMemoryInUse + bytes > gMemoryLimit) return nullptr;
    if (pixels > (uint64_t{1} << 34)) return nullptr;
    auto* b = new (std::nothrow) Bitmap;
    if (!b) return nullptr;
    try {
        if (mono) {
            b->bits.reset(cleared ? new uint8_t[pixels]() : new uint8_t[pixels]);
        } else {
            b->colour.reset(cleared ? new COLORREF[pixels]() : new COLORREF[pixels]);
        }
    } catch (const std::bad_alloc&) {
        delete b;
        return nullptr;
    }
    b->width = width;
    b->height = height;
    b->mono = mono;
    b->bytes = bytes;
    b->serial = gNextSerial++;
    gMemoryInUse += bytes;
    return b;
}

DeviceContext& ScreenContext() {
    static DeviceContext screen = [] {
        DeviceContext dc;
        dc.screen = true;
        dc.pen = Stocks().blackPen;
        dc.brush = Stocks().white;
        dc.font = Stocks().systemFont;
        return dc;
    }();
    return screen;
}

void Hold(GdiObject* o) {
    if (o) ++o->selections;
}
void Release(GdiObject* o) {
    if (o && o->selections > 0) --o->selections;
}

} // namespace

Bitmap::~Bitmap() {
    gMemoryInUse -= bytes;
    if (spanTables) detail::ForgetSpanTables(serial);
}

namespace detail {

Bitmap* DefaultBitmap() {
    Stock& s = Stocks();
    if (!s.defaultBitmap) {
        s.defaultBitmap = NewBitmap(1, 1, true);
        s.defaultBitmap->stock = true;
        gMemoryInUse -= s.defaultBitmap->bytes; // not counted against callers
        s.defaultBitmap->bytes = 0;
    }
    return s.defaultBitmap;
}

void FillSpan(Bitmap& bitmap, int y, int x0, int x1, COLORREF colour) {
    if (bitmap.mono) {
        std::memset(bitmap.monoRow(y) + x0, MonoFromColour(colour), static_cast<size_t>(x1 - x0));
    } else {
        rows::Fill(bitmap.colourRow(y) + x0, static_cast<size_t>(x1 - x0), colour & kColourBits);
    }
}

void FillClippedSpan(Bitmap& bitmap, int y, int x0, int x1, COLORREF colour) {
    if (y < 0 || y >= bitmap.height) return;
    if (x0 < 0) x0 = 0;
    if (x1 > bitmap.width) x1 = bitmap.width;
    if (x0 >= x1) return;
    FillSpan(bitmap, y, x0, x1, colour);
}

} // namespace detail

// --- contexts ---------------------------------------------------------------

HDC GetDC(void*) {
    return &ScreenContext();
}
int ReleaseDC(void*, HDC) {
    return 1;
}

HDC CreateCompatibleDC(HDC) {
    auto* dc = new (std::nothrow) DeviceContext;
    if (!dc) return nullptr;
    Stock& s = Stocks();
    dc->bitmap = detail::DefaultBitmap();
    dc->pen = s.blackPen;
    dc->brush = s.white;
    dc->font = s.systemFont;
    Hold(dc->bitmap);
    Hold(dc->pen);
    Hold(dc->brush);
    Hold(dc->font);
    return dc;
}

BOOL DeleteDC(HDC dc) {
    if (!dc || dc->screen) return 0;
    Release(dc->bitmap);
    Release(dc->pen);
    Release(dc->brush);
    Release(dc->font);
    delete dc;
    return 1;
}

// --- bitmaps ----------------------------------------------------------------

HBITMAP CreateCompatibleBitmap(HDC reference, int width, int height) {
    // Like GDI: a memory context still holding its one-bit default bitmap, or
    // any one-bit bitmap, gives one-bit bitmaps.
    const bool mono =
        reference && !reference->screen && reference->bitmap && reference->bitmap->mono;
    return NewBitmap(width, height, mono);
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (planes != 1) return nullptr;
    if (bitsPerPixel == 32) {
        return CreateColourBitmap(width, height, static_cast<const COLORREF*>(bits));
    }
    if (bitsPerPixel != 1) return nullptr;
    Bitmap* b = NewBitmap(width, height, true);
    if (b && bits) {
        // Word-aligned rows of packed bits, most significant bit first.
        const auto* src = static_cast<const uint8_t*>(bits);
        const size_t stride = static_cast<size_t>((width + 15) / 16) * 2;
        for (int y = 0; y < height; ++y) {
            uint8_t* row = b->monoRow(y);
            for (int x = 0; x < width; ++x) row[x] = (src[y * stride + x / 8] >> (7 - x % 8)) & 1;
        }
    }
    return b;
}

HBITMAP CreateUnclearedColourBitmap(int width, int height) {
    return NewBitmap(width, height, false, false);
}

HBITMAP CreateColourBitmap(int width, int height, const COLORREF* pixels) {
    Bitmap* b = NewBitmap(width, height, false, pixels == nullptr);
    if (b && pixels) {
        const size_t n = static_cast<size_t>(width) * static_cast<size_t>(height);
        for (size_t i = 0; i < n; ++i) b->colour[i] = pixels[i] & detail::kColourBits;
    }
    return b;
}

void SetBitmapMemoryLimit(uint64_t bytes) {
    gMemoryLimit = bytes;
}
uint64_t BitmapMemoryLimit() {
    return gMemoryLimit;
}
uint64_t BitmapMemoryInUse() {
    return gMemoryInUse;
}
uint64_t BitmapMemoryHeadroom() {
    if (gMemoryLimit == 0) return UINT64_MAX;
    return gMemoryLimit > gMemoryInUse ? gMemoryLimit - gMemoryInUse : 0;
}
uint64_t DefaultBitmapMemoryBudget() {
    constexpr uint64_t kCap = uint64_t{2} << 30;
    const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0) return kCap;
    return std::min(kCap, static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageSize) / 2);
}

BOOL GetObject(HBITMAP bitmap, BITMAP& out) {
    if (!bitmap) return 0;
    out.bmWidth = bitmap->width;
    out.bmHeight = bitmap->height;
    out.bmBitsPixel = bitmap->mono ? 1 : 32;
    return 1;
}

BOOL GetObject(HFONT font, LOGFONT& out) {
    if (!font) return 0;
    out = font->description;
    return 1;
}

COLORREF* BitmapColourPixels(HBITMAP bitmap) {
    return bitmap && !bitmap->mono ? bitmap->colour.get() : nullptr;
}
uint8_t* BitmapMonoPixels(HBITMAP bitmap) {
    return bitmap && bitmap->mono ? bitmap->bits.get() : nullptr;
}
void BitmapTouched(HBITMAP bitmap) {
    if (bitmap) bitmap->touch();
}
HBITMAP CurrentBitmap(HDC dc) {
    return dc ? dc->bitmap : nullptr;
}
uint64_t BitmapSerial(HBITMAP bitmap) {
    return bitmap ? bitmap->serial : 0;
}
uint64_t BitmapVersion(HBITMAP bitmap) {
    return bitmap ? bitmap->version : 0;
}

// --- objects ----------------------------------------------------------------

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    if (!dc || !object) return nullptr;
    GdiObject* previous = nullptr;
    switch (object->kind) {
    case ObjectKind::Bitmap: {
        auto* b = static_cast<Bitmap*>(object);
        if (dc->screen) return nullptr;
        if (b == dc->bitmap) return b;
        // A bitmap lives in one context at a time, as in GDI.
        if (!b->stock && b->selections > 0) return nullptr;
        previous = dc->bitmap;
        dc->bitmap = b;
        break;
    }
    case ObjectKind::Pen:
        previous = dc->pen;
        dc->pen = static_cast<Pen*>(object);
        break;
    case ObjectKind::Brush:
        previous = dc->brush;
        dc->brush = static_cast<Brush*>(object);
        break;
    case ObjectKind::Font:
        previous = dc->font;
        dc->font = static_cast<Font*>(object);
        break;
    }
    Hold(object);
    Release(previous);
    return previous;
}

// Objects still selected somewhere are kept (returns 0), so no context ever
// points at freed memory; stock objects are never deleted.
BOOL DeleteObject(HGDIOBJ object) {
    if (!object) return 0;
    if (object->stock) return 1;
    if (object->selections > 0) return 0;
    delete object;
    return 1;
}

HGDIOBJ GetStockObject(int which) {
    Stock& s = Stocks();
    switch (which) {
    case WHITE_BRUSH:
        return s.white;
    case BLACK_BRUSH:
        return s.black;
    case NULL_BRUSH:
        return s.hollow;
    case WHITE_PEN:
        return s.whitePen;
    case BLACK_PEN:
        return s.blackPen;
    case NULL_PEN:
        return s.nullPen;
    case ANSI_FIXED_FONT:
        return s.fixedFont;
    case 13: // SYSTEM_FONT
        return s.systemFont;
    default:
        return nullptr;
    }
}

HPEN CreatePen(int style, int width, COLORREF colour) {
    auto* p = new (std::nothrow) Pen;
    if (!p) return nullptr;
    p->style = style == PS_NULL ? PS_NULL : PS_SOLID;
    p->width = width < 1 ? 1 : width;
    p->colour = colour & detail::kColourBits;
    return p;
}

HBRUSH CreateSolidBrush(COLORREF colour) {
    auto* b = new (std::nothrow) Brush;
    if (!b) return nullptr;
    b->colour = colour & detail::kColourBits;
    return b;
}

// --- state ------------------------------------------------------------------

namespace {

// One of a context's two colours set, handing back the previous value.
COLORREF ExchangeColour(HDC dc, COLORREF DeviceContext::*field, COLORREF colour) {
    if (!dc) return CLR_INVALID;
    const COLORREF old = dc->*field;
    dc->*field = colour & detail::kColourBits;
    return old;
}

COLORREF ReadColour(HDC dc, COLORREF DeviceContext::*field) {
    return dc ? dc->*field : CLR_INVALID;
}

} // namespace

COLORREF SetBkColor(HDC dc, COLORREF colour) {
    return ExchangeColour(dc, &DeviceContext::bkColour, colour);
}
COLORREF GetBkColor(HDC dc) {
    return ReadColour(dc, &DeviceContext::bkColour);
}
COLORREF SetTextColor(HDC dc, COLORREF colour) {
    return ExchangeColour(dc, &DeviceContext::textColour, colour);
}
COLORREF GetTextColor(HDC dc) {
    return ReadColour(dc, &DeviceContext::textColour);
}

int SetBkMode(HDC dc, int mode) {
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    int old = dc->bkMode;
    dc->bkMode = mode;
    return old;
}
int GetBkMode(HDC dc) {
    return dc ? dc->bkMode : 0;
}

} // namespace gdi

namespace gdi {

HFONT CreateFontIndirectA(const LOGFONT& description) {
    auto* f = new (std::nothrow) Font;
    if (!f) return nullptr;
    f->description = description;
    return f;
}

} // namespace gdi
