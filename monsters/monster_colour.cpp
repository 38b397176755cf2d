// The monster's pixels: the collision test, painting wounds, drawing.
#include "monsters/clsMonster.h"
#include "vb/numeric.h"
#include "world/game_form_state.h"
#include "world/world_globals.h"

int32_t clsMonster::GetColour2(double pX, double pY) const {
    if (!mSprites) return -2;
    const double x = (vb::Int(pX) - vb::Int(mX)) * mBuildPixelWidth;
    const double y = (vb::Int(pY) - vb::Int(mY)) * mBuildPixelHeight;
    const int32_t c = mSprites->GetPixel(x, y);
    if (c == -2) return -2;
    // Dark pixels are empty space: the brightest channel decides.
    int32_t top = c & 0xFF;
    const int32_t g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    if (g > top) top = g;
    if (b > top) top = b;
    if (top / 255.0 < ValueThreshold) return -2;
    return c;
}

void clsMonster::SetColour2(double pX, double pY, int32_t pColor) {
    if (!mSprites) return;
    const int32_t x = vb::RoundEven((vb::Int(pX) - vb::Int(mX)) * mBuildPixelWidth);
    const int32_t y = vb::RoundEven((vb::Int(pY) - vb::Int(mY)) * mBuildPixelHeight);
    mSprites->DrawRectangle(x, y, x + mBuildPixelWidth, y + mBuildPixelHeight, pColor);
}

namespace {

// The view position of a monster drawn 1:1: on whole game pixels.
int32_t Place(double position, double buildPixel, double offset) {
    return vb::RoundEven(vb::Int(position) * buildPixel + offset);
}

} // namespace

void clsMonster::Draw() {
    if (mFileName.empty() || !mSprites) return;
    gdi::HDC dc = frmMain->picMainDC();
    if (mBuildPixelWidth == PixelWidth && mBuildPixelHeight == PixelHeight) {
        mSprites->BitBlt(dc, nullptr, Place(mX, mBuildPixelWidth, OffsetX),
                         Place(mY, mBuildPixelHeight, OffsetY));
    } else {
        mSprites->StretchBlt(dc, nullptr, vb::RoundEven(vb::Int(mX) * PixelWidth + OffsetX),
                             vb::RoundEven(vb::Int(mY) * PixelHeight + OffsetY),
                             vb::RoundEven(mWidth * PixelWidth),
                             vb::RoundEven(mHeight * PixelHeight));
    }
}

void clsMonster::OpaqueCover(std::vector<gdi::RECT>& pOut) {
    // A stretched picture claims nothing: its tiles may leave gaps.
    if (mFileName.empty() || !mSprites) return;
    if (mBuildPixelWidth != PixelWidth || mBuildPixelHeight != PixelHeight) return;
    mSprites->OpaqueCover(frmMain->picMainDC(), Place(mX, mBuildPixelWidth, OffsetX),
                          Place(mY, mBuildPixelHeight, OffsetY), pOut);
}
