// One off-screen surface with an optional one-bit mask ("sprite" mode): white
// mask bits are transparent, black opaque; a rebuild keys the mask on pure
// black. Drawing keeps image and mask together; copies compose with the
// two-pass AND-then-OR scheme.
#pragma once

#include <any>
#include <cstdint>
#include <string>
#include <vector>

#include "gdi/raster.h"

class kivSprite3 {
  public:
    kivSprite3();  // makes the main context, no bitmap yet
    ~kivSprite3(); // Terminate, then the contexts
    kivSprite3(const kivSprite3&) = delete;
    kivSprite3& operator=(const kivSprite3&) = delete;

    // --- creation and rebuild ---------------------------------------------
    void Initialize(bool pSprite, int32_t pWidth, int32_t pHeight, int32_t pBackColor,
                    const std::string& pPath, int32_t pTransparentColor);
    void Refresh(bool pTerminate);
    void Terminate();
    void Cls();
    void LoadPicture(const std::string& pPath, bool pAutoSize);
    void Size(int32_t pWidth, int32_t pHeight);

    // --- drawing ------------------------------------------------------------
    void Font(const std::string& pName, double pSize, bool pBold, bool pItalic);
    float FontWidth(const std::string& pText);
    float FontHeight(const std::string& pText);
    int32_t GetPixel(int32_t pLeft, int32_t pTop);
    void DrawPixel(int32_t pLeft, int32_t pTop, int32_t pColor);
    void DrawLine(int32_t pX1, int32_t pY1, int32_t pX2, int32_t pY2, int32_t pColor,
                  int32_t pWidth);
    void DrawRectangle(int32_t pX1, int32_t pY1, int32_t pX2, int32_t pY2, int32_t pColor);
    void DrawRectangleDeluxe(int32_t pX1, int32_t pY1, int32_t pX2, int32_t pY2, int32_t pColor,
                             int32_t pBorderWidth, int32_t pBorderColor);
    void DrawEllipse(int32_t pX1, int32_t pY1, int32_t pX2, int32_t pY2, int32_t pColor);
    void DrawEllipseDeluxe(int32_t pX1, int32_t pY1, int32_t pX2, int32_t pY2, int32_t pColor,
                           int32_t pWidthBorder, int32_t pColorBorder);
    void DrawPolygon(const gdi::POINT* pPoints, int pCount, int32_t pFillColor,
                     int32_t pBorderWidth, int32_t pBorderColor);
    void DrawText(const std::string& pText, int32_t pLeft, int32_t pTop, int32_t pColor,
                  uint32_t pStyle, double pFontAngle, int32_t pRight, int32_t pBottom,
                  int32_t pFontWidth, int32_t pFontHeight);

    // --- copies (destination first; pMaskHDC nullptr = none) ---------------
    void BitBlt(gdi::HDC pHDC, gdi::HDC pMaskHDC, int32_t pLeft, int32_t pTop);
    void BitBltDeluxe(gdi::HDC pDestHDC, gdi::HDC pMaskHDC, int32_t pDestLeft, int32_t pDestTop,
                      int32_t pDestWidth, int32_t pDestHeight, int32_t pSrcLeft, int32_t pSrcTop,
                      uint32_t pPaint);
    void StretchBlt(gdi::HDC pHDC, gdi::HDC pMaskHDC, int32_t pLeft, int32_t pTop, int32_t pWidth,
                    int32_t pHeight);
    void StretchBltDeluxe(gdi::HDC pDestHDC, gdi::HDC pMaskHDC, int32_t pDestLeft, int32_t pDestTop,
                          int32_t pDestWidth, int32_t pDestHeight, int32_t pSrcLeft,
                          int32_t pSrcTop, int32_t pSrcWidth, int32_t pSrcHeight, uint32_t pPaint);

    // The parts of the surface that BitBlt onto a colour destination with a
    // black text colour replaces whatever they held: the mask's black
    // rectangles at least kCoverWidth wide, or the whole surface without a
    // mask. Kept until the mask is drawn on.
    static constexpr int kCoverWidth = 32;
    const std::vector<gdi::RECT>& OpaqueRectangles();

    // --- properties ---------------------------------------------------------
    gdi::HDC MainHDC() const { return mMainDC; }
    gdi::HDC MaskHDC() const { return mMaskDC; }
    int32_t Width() const { return mWidth; }
    int32_t Height() const { return mHeight; }
    void SetWidth(int32_t value);
    void SetHeight(int32_t value);
    bool Sprite() const { return mSprite; }
    void SetSprite(bool value);
    const std::string& Path() const { return mPath; }
    void SetPath(const std::string& value);
    int32_t TransparentColor() const { return mTransparentColor; }
    void SetTransparentColor(int32_t value);
    int32_t BackColor() const { return mBackColor; }
    void SetBackColor(int32_t value);
    const gdi::LOGFONT& FontDescription() const { return mFont; }

    // Free for the caller.
    int32_t ID = 0, IDB = 0, IDA = 0;
    double X = 0, Y = 0;
    bool Alive = false;
    int32_t HoldColor = 0;
    std::any Tag1, Tag2, Tag3;
    int32_t NumberX = 0, NumberY = 0;
    // Stored as Long: the setters round half to even.
    double XB() const { return mXB; }
    void SetXB(double v);
    double XS() const { return mXS; }
    void SetXS(double v);
    double YB() const { return mYB; }
    void SetYB(double v);
    double YS() const { return mYS; }
    void SetYS(double v);
    double z() const { return mZ; }
    void Setz(double v);
    double ZB() const { return mZB; }
    void SetZB(double v);
    double ZS() const { return mZS; }
    void SetZS(double v);
    int32_t WidthOne() const;  // Width \ NumberX; division by zero raises error 11
    int32_t HeightOne() const; // Height \ NumberY

  private:
    friend class kivSprites3; // reads tile pixels straight from the bitmaps

    void TakeMainBitmap(gdi::HBITMAP bitmap);
    void LoadImage();
    void BuildMask(gdi::HDC screen);
    bool Masked() const { return mSprite && mMaskDC != nullptr; }

    bool mSprite = false;
    gdi::HDC mMainDC = nullptr;
    gdi::HBITMAP mMainBitmap = nullptr;
    gdi::HGDIOBJ mMainDisplaced = nullptr;
    gdi::HDC mMaskDC = nullptr;
    gdi::HBITMAP mMaskBitmap = nullptr;
    gdi::HGDIOBJ mMaskDisplaced = nullptr;
    int32_t mWidth = 0, mHeight = 0;
    int32_t mBackColor = 0;
    std::string mPath;
    int32_t mTransparentColor = 0;
    gdi::LOGFONT mFont{};
    int32_t mXB = 0, mXS = 0, mYB = 0, mYS = 0, mZ = 0, mZB = 0, mZS = 0;
    // Rows of the held bitmaps (stride = mRawWidth), kept with the bitmaps.
    const gdi::COLORREF* mMainPixels = nullptr;
    const uint8_t* mMaskPixels = nullptr;
    int32_t mRawWidth = 0, mRawHeight = 0;
    // OpaqueRectangles and the bitmap content they were found for.
    std::vector<gdi::RECT> mOpaque;
    uint64_t mOpaqueSerial = 0, mOpaqueVersion = 0;
};
