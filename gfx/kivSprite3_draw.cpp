// Drawing on a surface (mask first in black, then the image) and copying it.
#include <cstring>

#include "gfx/compose.h"
#include "gfx/kivSprite3.h"
#include "gfx/modGraphic.h"
#include "platform/forms.h"
#include "vb/numeric.h"

namespace {

constexpr gdi::COLORREF kBlack = 0;
constexpr gdi::COLORREF kWhite = 0xFFFFFF;

// A pen and an optional brush selected for one shape, put back and deleted
// when the shape is done.
class ShapeTools {
  public:
    ShapeTools(gdi::HDC dc, int penWidth, gdi::COLORREF penColour)
        : mDC(dc), mPen(gdi::CreatePen(gdi::PS_SOLID, penWidth, penColour)) {
        mOldPen = gdi::SelectObject(mDC, mPen);
    }
    ShapeTools(gdi::HDC dc, int penWidth, gdi::COLORREF penColour, gdi::COLORREF brushColour)
        : ShapeTools(dc, penWidth, penColour) {
        mBrush = gdi::CreateSolidBrush(brushColour);
        mOldBrush = gdi::SelectObject(mDC, mBrush);
    }
    ~ShapeTools() {
        gdi::SelectObject(mDC, mOldPen);
        gdi::DeleteObject(mPen);
        if (mBrush) {
            gdi::SelectObject(mDC, mOldBrush);
            gdi::DeleteObject(mBrush);
        }
    }
    ShapeTools(const ShapeTools&) = delete;
    ShapeTools& operator=(const ShapeTools&) = delete;

  private:
    gdi::HDC mDC;
    gdi::HPEN mPen;
    gdi::HGDIOBJ mOldPen = nullptr;
    gdi::HBRUSH mBrush = nullptr;
    gdi::HGDIOBJ mOldBrush = nullptr;
};

gdi::COLORREF Colour(int32_t c) {
    return static_cast<gdi::COLORREF>(c);
}

void Line(gdi::HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2, gdi::COLORREF colour,
          int32_t width) {
    ShapeTools tools(dc, width, colour);
    gdi::MoveToEx(dc, x1, y1, nullptr);
    gdi::LineTo(dc, x2, y2);
}

using ShapeCall = gdi::BOOL (*)(gdi::HDC, int, int, int, int);

// A filled shape on the mask in black (when there is one), then on the image.
void FilledShape(ShapeCall draw, gdi::HDC mask, gdi::HDC image, int32_t x1, int32_t y1, int32_t x2,
                 int32_t y2, gdi::COLORREF fill, int32_t borderWidth, gdi::COLORREF border) {
    if (mask) {
        ShapeTools tools(mask, borderWidth, kBlack, kBlack);
        draw(mask, x1, y1, x2, y2);
    }
    ShapeTools tools(image, borderWidth, border, fill);
    draw(image, x1, y1, x2, y2);
}

void Text(gdi::HDC dc, gdi::HFONT font, const std::string& text, gdi::RECT rect,
          gdi::COLORREF colour, uint32_t format) {
    gdi::HGDIOBJ displaced = gdi::SelectObject(dc, font);
    const int mode = gdi::GetBkMode(dc);
    gdi::SetBkMode(dc, gdi::TRANSPARENT);
    gdi::SetTextColor(dc, colour);
    gdi::DrawTextA(dc, text.data(), static_cast<int>(text.size()), &rect, format);
    gdi::SetBkMode(dc, mode);
    gdi::SelectObject(dc, displaced);
}

} // namespace

// --- drawing -----------------------------------------------------------------

void kivSprite3::Font(const std::string& pName, double pSize, bool pBold, bool pItalic) {
    platform::Form& host = HostWindow();
    host.SetFont(pName, pSize, pBold, pItalic);
    FontFromHostForm(host, mFont);
}

float kivSprite3::FontWidth(const std::string& pText) {
    return HostWindow().TextWidth(pText);
}

float kivSprite3::FontHeight(const std::string& pText) {
    return HostWindow().TextHeight(pText);
}

int32_t kivSprite3::GetPixel(int32_t pLeft, int32_t pTop) {
    if (Masked() && gdi::GetPixel(mMaskDC, pLeft, pTop) != 0) return -2;
    return static_cast<int32_t>(gdi::GetPixel(mMainDC, pLeft, pTop));
}

void kivSprite3::DrawPixel(int32_t pLeft, int32_t pTop, int32_t pColor) {
    if (Masked()) {
        if (pColor == -2) {
            gdi::SetPixelV(mMaskDC, pLeft, pTop, kWhite);
            gdi::SetPixelV(mMainDC, pLeft, pTop, kBlack);
            return;
        }
        gdi::SetPixelV(mMaskDC, pLeft, pTop, kBlack);
    }
    gdi::SetPixelV(mMainDC, pLeft, pTop, Colour(pColor));
}

void kivSprite3::DrawLine(int32_t pX1, int32_t pY1, int32_t pX2, int32_t pY2, int32_t pColor,
                          int32_t pWidth) {
    if (Masked()) Line(mMaskDC, pX1, pY1, pX2, pY2, kBlack, pWidth);
    Line(mMainDC, pX1, pY1, pX2, pY2, Colour(pColor), pWidth);
}

void kivSprite3::DrawRectangle(int32_t pX1, int32_t pY1, int32_t pX2, int32_t pY2, int32_t pColor) {
    DrawRectangleDeluxe(pX1, pY1, pX2, pY2, pColor, 1, pColor);
}

void kivSprite3::DrawRectangleDeluxe(int32_t pX1, int32_t pY1, int32_t pX2, int32_t pY2,
                                     int32_t pColor, int32_t pBorderWidth, int32_t pBorderColor) {
    FilledShape(gdi::Rectangle, Masked() ? mMaskDC : nullptr, mMainDC, pX1, pY1, pX2, pY2,
                Colour(pColor), pBorderWidth, Colour(pBorderColor));
}

void kivSprite3::DrawEllipse(int32_t pX1, int32_t pY1, int32_t pX2, int32_t pY2, int32_t pColor) {
    DrawEllipseDeluxe(pX1, pY1, pX2, pY2, pColor, 1, pColor);
}

void kivSprite3::DrawEllipseDeluxe(int32_t pX1, int32_t pY1, int32_t pX2, int32_t pY2,
                                   int32_t pColor, int32_t pWidthBorder, int32_t pColorBorder) {
    FilledShape(gdi::Ellipse, Masked() ? mMaskDC : nullptr, mMainDC, pX1, pY1, pX2, pY2,
                Colour(pColor), pWidthBorder, Colour(pColorBorder));
}

void kivSprite3::DrawPolygon(const gdi::POINT* pPoints, int pCount, int32_t pFillColor,
                             int32_t pBorderWidth, int32_t pBorderColor) {
    if (Masked()) {
        ShapeTools tools(mMaskDC, pBorderWidth, kBlack, kBlack);
        gdi::Polygon(mMaskDC, pPoints, pCount);
    }
    ShapeTools tools(mMainDC, pBorderWidth, Colour(pBorderColor), Colour(pFillColor));
    gdi::Polygon(mMainDC, pPoints, pCount);
}

void kivSprite3::DrawText(const std::string& pText, int32_t pLeft, int32_t pTop, int32_t pColor,
                          uint32_t pStyle, double pFontAngle, int32_t pRight, int32_t pBottom,
                          int32_t pFontWidth, int32_t pFontHeight) {
    gdi::LOGFONT description = mFont;
    if (pFontWidth > 0) description.lfWidth = pFontWidth;
    if (pFontHeight > 0) description.lfHeight = pFontHeight;
    if (pFontAngle > 0) {
        description.lfEscapement = vb::RoundEven(pFontAngle * 180 / 3.14159265358979 * 10);
        description.lfOrientation = description.lfEscapement;
    }
    gdi::RECT rect;
    rect.left = pLeft;
    rect.top = pTop;
    rect.right = pRight > 0 ? pRight : mWidth - pLeft;
    rect.bottom = pBottom > 0 ? pBottom : mHeight - pTop;

    gdi::HFONT font = gdi::CreateFontIndirectA(description);
    const uint32_t format = pStyle + gdi::DT_NOCLIP;
    if (Masked()) Text(mMaskDC, font, pText, rect, kBlack, format);
    Text(mMainDC, font, pText, rect, Colour(pColor), format);
    gdi::DeleteObject(font);
}

// --- copies ------------------------------------------------------------------

void kivSprite3::BitBlt(gdi::HDC pHDC, gdi::HDC pMaskHDC, int32_t pLeft, int32_t pTop) {
    BitBltDeluxe(pHDC, pMaskHDC, pLeft, pTop, mWidth, mHeight, 0, 0, gdi::SRCCOPY);
}

void kivSprite3::BitBltDeluxe(gdi::HDC pDestHDC, gdi::HDC pMaskHDC, int32_t pDestLeft,
                              int32_t pDestTop, int32_t pDestWidth, int32_t pDestHeight,
                              int32_t pSrcLeft, int32_t pSrcTop, uint32_t pPaint) {
    if (!mMainBitmap) return;
    if (Masked()) {
        if (pMaskHDC) {
            gdi::BitBlt(pMaskHDC, pDestLeft, pDestTop, pDestWidth, pDestHeight, mMaskDC, pSrcLeft,
                        pSrcTop, gdi::SRCAND);
            if (pDestHDC)
                gdi::BitBlt(pDestHDC, pDestLeft, pDestTop, pDestWidth, pDestHeight, mMainDC,
                            pSrcLeft, pSrcTop, gdi::SRCPAINT);
        } else {
            gfx::ComposeMasked(pDestHDC, pDestLeft, pDestTop, pDestWidth, pDestHeight, mMainDC,
                               mMaskDC, pSrcLeft, pSrcTop);
        }
        return;
    }
    if (pMaskHDC)
        gdi::BitBlt(pMaskHDC, pDestLeft, pDestTop, pDestWidth, pDestHeight, nullptr, 0, 0,
                    gdi::BLACKNESS);
    if (pDestHDC)
        gdi::BitBlt(pDestHDC, pDestLeft, pDestTop, pDestWidth, pDestHeight, mMainDC, pSrcLeft,
                    pSrcTop, pPaint);
}

void kivSprite3::StretchBlt(gdi::HDC pHDC, gdi::HDC pMaskHDC, int32_t pLeft, int32_t pTop,
                            int32_t pWidth, int32_t pHeight) {
    StretchBltDeluxe(pHDC, pMaskHDC, pLeft, pTop, pWidth, pHeight, 0, 0, mWidth, mHeight,
                     gdi::SRCCOPY);
}

void kivSprite3::StretchBltDeluxe(gdi::HDC pDestHDC, gdi::HDC pMaskHDC, int32_t pDestLeft,
                                  int32_t pDestTop, int32_t pDestWidth, int32_t pDestHeight,
                                  int32_t pSrcLeft, int32_t pSrcTop, int32_t pSrcWidth,
                                  int32_t pSrcHeight, uint32_t pPaint) {
    if (!mMainBitmap) return;
    if (Masked()) {
        gdi::HDC maskDest = pMaskHDC ? pMaskHDC : pDestHDC;
        if (maskDest)
            gdi::StretchBlt(maskDest, pDestLeft, pDestTop, pDestWidth, pDestHeight, mMaskDC,
                            pSrcLeft, pSrcTop, pSrcWidth, pSrcHeight, gdi::SRCAND);
        if (pDestHDC)
            gdi::StretchBlt(pDestHDC, pDestLeft, pDestTop, pDestWidth, pDestHeight, mMainDC,
                            pSrcLeft, pSrcTop, pSrcWidth, pSrcHeight, gdi::SRCPAINT);
        return;
    }
    if (pMaskHDC)
        gdi::BitBlt(pMaskHDC, pDestLeft, pDestTop, pDestWidth, pDestHeight, nullptr, 0, 0,
                    gdi::BLACKNESS);
    if (pDestHDC)
        gdi::StretchBlt(pDestHDC, pDestLeft, pDestTop, pDestWidth, pDestHeight, mMainDC, pSrcLeft,
                        pSrcTop, pSrcWidth, pSrcHeight, pPaint);
}

const std::vector<gdi::RECT>& kivSprite3::OpaqueRectangles() {
    const gdi::HBITMAP basis = Masked() ? mMaskBitmap : mMainBitmap;
    const uint64_t serial = mMainBitmap ? gdi::BitmapSerial(basis) : 0;
    const uint64_t version = gdi::BitmapVersion(basis);
    // An unmasked surface covers its whole self, whatever it shows.
    if (serial == mOpaqueSerial && (version == mOpaqueVersion || !Masked())) return mOpaque;
    mOpaqueSerial = serial;
    mOpaqueVersion = version;
    mOpaque.clear();
    if (serial == 0) return mOpaque;
    if (Masked()) {
        mOpaque = gdi::BlackRectangles(mMaskBitmap, kCoverWidth);
    } else {
        mOpaque.push_back(gdi::RECT{0, 0, mRawWidth, mRawHeight});
    }
    return mOpaque;
}
