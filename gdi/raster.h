// Software raster with the results of the Windows GDI calls the game relies on,
// on plain memory bitmaps. Colour bitmaps hold 32-bit pixels as the game's colour
// values (&H00BBGGRR), so reads, writes and raster operations need no
// conversion. One-bit bitmaps hold one byte per pixel (0 black, 1 white) so that
// masks combine with colour rows in straight loops.
//
// Handles are plain pointers; as in GDI the caller creates, selects, deselects
// and deletes them. Nothing here talks to a display: the window layer presents
// the bitmap selected into the view's context.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace gdi {

using COLORREF = uint32_t; // &H00BBGGRR
using DWORD = uint32_t;
using UINT = uint32_t;
using BOOL = int;

constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;
constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// Raster operations.
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD SRCERASE = 0x00440328;
constexpr DWORD NOTSRCCOPY = 0x00330008;
constexpr DWORD NOTSRCERASE = 0x001100A6;
constexpr DWORD MERGECOPY = 0x00C000CA;
constexpr DWORD MERGEPAINT = 0x00BB0226;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATPAINT = 0x00FB0A09;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;

// Pen styles, background modes, stock objects.
constexpr int PS_SOLID = 0;
constexpr int PS_NULL = 5;
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
constexpr int WHITE_BRUSH = 0;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int ANSI_FIXED_FONT = 11;

// DrawTextA format flags.
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004;
constexpr UINT DT_BOTTOM = 0x0008;
constexpr UINT DT_WORDBREAK = 0x0010;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_NOCLIP = 0x0100;
constexpr UINT DT_CALCRECT = 0x0400;
constexpr UINT DT_NOPREFIX = 0x0800;
constexpr UINT DT_HIDEPREFIX = 0x00100000;
constexpr UINT DT_PREFIXONLY = 0x00200000;

// Font weights.
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;

struct POINT {
    int32_t x = 0, y = 0;
};
struct RECT {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};
struct SIZE {
    int32_t cx = 0, cy = 0;
};
struct BITMAP {
    int32_t bmWidth = 0, bmHeight = 0, bmBitsPixel = 0;
};

// The 60-byte font description record.
struct LOGFONT {
    int32_t lfHeight = 0;      // < 0: character height in pixels; > 0: cell height
    int32_t lfWidth = 0;       // average character width, 0 = natural
    int32_t lfEscapement = 0;  // tenths of a degree, counter-clockwise
    int32_t lfOrientation = 0; // tenths of a degree
    int32_t lfWeight = 0;      // FW_NORMAL, FW_BOLD, 0 = default
    uint8_t lfItalic = 0, lfUnderline = 0, lfStrikeOut = 0, lfCharSet = 0;
    uint8_t lfOutPrecision = 0, lfClipPrecision = 0, lfQuality = 0, lfPitchAndFamily = 0;
    char lfFaceName[32] = {};
};
static_assert(sizeof(LOGFONT) == 60, "LOGFONT is the 60-byte record");

// Objects. Every handle points at a GdiObject of the matching kind. The
// records are complete here so that handles convert to HGDIOBJ as in GDI;
// callers go through the functions below, never the fields.
enum class ObjectKind { Bitmap, Pen, Brush, Font };

struct GdiObject {
    explicit GdiObject(ObjectKind k) : kind(k) {}
    virtual ~GdiObject() = default;
    ObjectKind kind;
    bool stock = false;
    int selections = 0; // how many contexts hold it
};

struct Bitmap : GdiObject {
    Bitmap() : GdiObject(ObjectKind::Bitmap) {}
    ~Bitmap() override;
    int32_t width = 0, height = 0;
    bool mono = false;
    uint64_t bytes = 0;
    uint64_t serial = 0;     // unique for the process; never reused
    uint64_t version = 0;    // bumped on every write
    bool spanTables = false; // the masked copy keeps tables of it
    std::unique_ptr<COLORREF[]> colour;
    std::unique_ptr<uint8_t[]> bits;

    COLORREF* colourRow(int y) { return colour.get() + static_cast<size_t>(y) * width; }
    uint8_t* monoRow(int y) { return bits.get() + static_cast<size_t>(y) * width; }
    void touch() { ++version; }
};

struct Pen : GdiObject {
    Pen() : GdiObject(ObjectKind::Pen) {}
    int style = PS_SOLID;
    int width = 1;
    COLORREF colour = 0;
};

struct Brush : GdiObject {
    Brush() : GdiObject(ObjectKind::Brush) {}
    bool hollow = false;
    COLORREF colour = 0;
};

struct Font : GdiObject {
    Font() : GdiObject(ObjectKind::Font) {}
    LOGFONT description{};
};

struct DeviceContext {
    bool screen = false;
    Bitmap* bitmap = nullptr;
    Pen* pen = nullptr;
    Brush* brush = nullptr;
    Font* font = nullptr;
    COLORREF bkColour = 0xFFFFFF;
    COLORREF textColour = 0;
    int bkMode = OPAQUE;
    POINT position;
};

using HGDIOBJ = GdiObject*;
using HBITMAP = Bitmap*;
using HPEN = Pen*;
using HBRUSH = Brush*;
using HFONT = Font*;
using HDC = DeviceContext*;

// --- contexts -------------------------------------------------------------

// The reference context "of the screen": 32-bit colour. GetDC(nullptr) returns
// it; ReleaseDC is harmless.
HDC GetDC(void* window);
int ReleaseDC(void* window, HDC dc);

// A memory context with a 1 x 1 one-bit bitmap selected, white background,
// black text, opaque background mode, black pen, white brush, system font.
HDC CreateCompatibleDC(HDC reference);
BOOL DeleteDC(HDC dc);

// --- bitmaps --------------------------------------------------------------

// A width x height bitmap in the format of the context's bitmap (colour for the
// screen context), initially black. Returns nullptr when it cannot be made:
// width or height below 1, or the bitmap memory limit would be passed.
HBITMAP CreateCompatibleBitmap(HDC reference, int width, int height);

// A one-bit bitmap (planes 1, bits 1), initially black. nullptr on failure.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);

// A colour bitmap holding a copy of the given &H00BBGGRR pixels (row-major,
// width per row). Used by the picture loader.
HBITMAP CreateColourBitmap(int width, int height, const COLORREF* pixels);
// A colour bitmap whose pixels are left as the memory holds them: for a caller
// that writes every one at once through BitmapColourPixels. nullptr on failure.
HBITMAP CreateUnclearedColourBitmap(int width, int height);

// Total bytes all live bitmaps may hold; 0 = no limit. Lets tests and small
// machines exercise the out-of-memory path of CreateCompatibleBitmap.
void SetBitmapMemoryLimit(uint64_t bytes);
uint64_t BitmapMemoryLimit();
uint64_t BitmapMemoryInUse();
// Run tables TransparentBlt keeps for (picture, mask) pairs it has copied
// unchanged; a deleted bitmap takes its tables with it.
size_t TransparentCopyTablesHeld();
// What live bitmaps may still take before the limit (all a uint64_t holds
// when there is none).
uint64_t BitmapMemoryHeadroom();
// The game's budget: the smaller of 2 GiB and half the machine's physical
// memory, so a giant picture ends in the video-memory error rather than in
// the system killing the process.
uint64_t DefaultBitmapMemoryBudget();

BOOL GetObject(HBITMAP bitmap, BITMAP& out);
BOOL GetObject(HFONT font, LOGFONT& out);

// Direct row access for the window layer and the picture tools. Colour
// bitmaps only; nullptr for one-bit bitmaps. Writers must call BitmapTouched.
COLORREF* BitmapColourPixels(HBITMAP bitmap);
// One-bit bitmaps only: one byte per pixel, 0 or 1.
uint8_t* BitmapMonoPixels(HBITMAP bitmap);
void BitmapTouched(HBITMAP bitmap);
HBITMAP CurrentBitmap(HDC dc);
// Serial and version together name a bitmap's content: the serial is never
// reused, the version changes with every write. 0 for no bitmap.
uint64_t BitmapSerial(HBITMAP bitmap);
uint64_t BitmapVersion(HBITMAP bitmap);

// --- objects and state ----------------------------------------------------

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object); // returns the object displaced
// Fails (0) while the object is selected into a context, so no context keeps a
// dangling handle; stock objects are ignored (1).
BOOL DeleteObject(HGDIOBJ object);
HGDIOBJ GetStockObject(int which);

HPEN CreatePen(int style, int width, COLORREF colour);
HBRUSH CreateSolidBrush(COLORREF colour);
// The face name goes through fontconfig (so "Arial" finds a metric-compatible
// face); lfWeight >= 600 asks for bold, lfItalic for italic. lfHeight < 0 is
// the em height in pixels, > 0 the cell height (ascent + descent); lfWidth > 0
// stretches the glyphs to that average character width; lfEscapement turns
// the baseline (tenths of a degree, counter-clockwise). The stock
// ANSI_FIXED_FONT is the "monospace" face at 13 pixels.
HFONT CreateFontIndirectA(const LOGFONT& description);

COLORREF SetBkColor(HDC dc, COLORREF colour); // returns the previous value
COLORREF GetBkColor(HDC dc);
COLORREF SetTextColor(HDC dc, COLORREF colour);
COLORREF GetTextColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);

// --- block transfers ------------------------------------------------------

// Raster operations SRCCOPY, SRCAND, SRCPAINT, BLACKNESS, WHITENESS between any
// pair of colour and one-bit contexts. Colour to one-bit: 1 where the source
// pixel equals the source context's background colour. One-bit to colour: 1
// becomes the destination's background colour, 0 its text colour. Source pixels
// outside the source bitmap are not drawn; the destination clips to its bitmap.
// Any ternary raster operation: its code's bits 16-23 are the truth table over
// pattern (the destination's brush; nothing is drawn with the null brush),
// source and destination. Operations without a source need none.
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, DWORD rop);

// As BitBlt, scaling (sx, sy, sw, sh) onto (x, y, width, height) in the default
// stretch mode (BLACKONWHITE): destination column i (from 0) takes source
// columns sx + floor(i * sw / width) up to, not including, sx + floor((i + 1) *
// sw / width), at least one; several are combined with AND (so shrinking a
// mask keeps its opaque pixels); rows likewise. A negative length runs from
// the other end of its rectangle, and the picture is mirrored on an axis where
// the source's and the destination's signs differ.
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, int sw,
                int sh, DWORD rop);

// One call for the two-pass transparent copy: exactly the result of
//   BitBlt(dest, ..., mask, sx, sy, SRCAND); BitBlt(dest, ..., image, sx, sy, SRCPAINT)
// for a colour destination, a colour image and a one-bit mask of the same size.
// Skips transparent runs, so large sparse pictures cost little.
BOOL TransparentBlt(HDC dest, int x, int y, int width, int height, HDC image, HDC mask, int sx,
                    int sy);

// --- covers ---------------------------------------------------------------

// Rectangles that are black (0) throughout a one-bit bitmap, each at least
// minWidth wide: the black runs of a row, stacked while the rows below have
// the same runs. Where a mask is black a masked copy replaces the
// destination (with the usual black text colour), whatever it held.
std::vector<RECT> BlackRectangles(HBITMAP mask, int minWidth);

// FillSolidRect of `area` except where any of `covers` lies.
void FillSolidRectOutside(HDC dc, const RECT& area, const std::vector<RECT>& covers,
                          COLORREF colour);

// --- shapes ---------------------------------------------------------------

// Outline with the selected pen, interior with the selected brush; left/top
// included, right/bottom excluded. With the null pen the filled area is
// left <= x < right - 1, top <= y < bottom - 1. A one-wide pen draws the
// outline on x = left, x = right - 1, y = top, y = bottom - 1; a pen w wide
// is centred on that outline, reaching (w - 1) / 2 pixels outward and the
// rest inward. On one-bit bitmaps a colour draws as the nearer of black and
// white. Exact pixel rules: raster_shapes.cpp.
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
// The pixels whose centres lie in the ellipse inscribed in the box (with the
// null pen the box loses its last column and row, as for Rectangle).
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);
// Alternate (even-odd) fill, then the closed outline with the pen.
BOOL Polygon(HDC dc, const POINT* points, int count);
BOOL MoveToEx(HDC dc, int x, int y, POINT* previous);
// One-wide pens: Bresenham, start included, end excluded. Wider pens: a
// round pen stamped along the line, both ends included (round caps).
BOOL LineTo(HDC dc, int x, int y);
// Returns the colour stored (0 or &HFFFFFF on one-bit bitmaps), CLR_INVALID
// outside the bitmap.
COLORREF SetPixelV(HDC dc, int x, int y, COLORREF colour);
COLORREF GetPixel(HDC dc, int x, int y); // CLR_INVALID outside the bitmap

// Fills left <= x < right, top <= y < bottom with a colour: the raster's own
// fast path behind a null-pen rectangle.
void FillSolidRect(HDC dc, int left, int top, int right, int bottom, COLORREF colour);

// --- text -----------------------------------------------------------------

// Draws single-byte (Latin-1) text into the rectangle with the selected font
// and text colour, honouring the background mode (OPAQUE fills each line's
// extent with the background colour first); anti-aliased on colour bitmaps,
// thresholded at half coverage on one-bit bitmaps. Clipped to the rectangle
// unless DT_NOCLIP. DT_VCENTER and DT_BOTTOM act on DT_SINGLELINE text only;
// DT_WORDBREAK breaks at spaces to fit the width. Returns the text height
// (with DT_VCENTER or DT_BOTTOM: from rect's top to the text's bottom); with
// DT_CALCRECT only measures, setting rect's right and bottom to the text's.
// Unless DT_NOPREFIX, "&" underlines the character after it and is not drawn
// itself, "&&" draws one "&" (DT_HIDEPREFIX: no underline; DT_PREFIXONLY: the
// underlines alone); measuring follows the same rule.
int DrawTextA(HDC dc, const char* text, int length, RECT* rect, UINT format);
BOOL GetTextExtentPoint32A(HDC dc, const char* text, int length, SIZE* size);

} // namespace gdi
