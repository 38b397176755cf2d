// Loading a bitmap font, laying out a text and drawing it.
#include "text/clsWord.h"

#include <algorithm>

#include "text/modXML.h"
#include "vb/numeric.h"

namespace {

constexpr int kFirstGlyph = 33, kLastGlyph = 122, kCells = 90;
constexpr int kSpace = 32, kCR = 13;

bool Capital(int code) {
    return code >= 'A' && code <= 'Z';
}

// Word gap, in space widths, between the glyphs before and after a space.
double WordGapFactor(int before, int after) {
    if (Capital(before)) return Capital(after) ? 1.5 : 0.65;
    return Capital(after) ? 0.55 : 0.7;
}

// A number of the width file, or false when it is none the range can hold.
bool WholeNumberIn(const std::string& text, double low, double high, int32_t& value) {
    const double v = vb::Val(text);
    if (!(v >= low - 0.5 && v <= high + 0.5)) return false;
    value = std::clamp(vb::RoundEven(v), static_cast<int32_t>(low), static_cast<int32_t>(high));
    return true;
}

} // namespace

void clsWord::Initialize(const std::string& pFontName, int32_t pTransparentColor) {
    mStrip.Initialize(true, -1, -1, -1, pFontName + ".gif", pTransparentColor);
    mCharWidth.fill(0);
    mCurrentCode = -1;
    ReadXML(pFontName + ".txt", "", *this);
    mGlyph.clear();
    mCellWidth = vb::RoundEven(mStrip.Width() / static_cast<double>(kCells));
    mLineHeight = mStrip.Height();
}

void clsWord::XMLCallBack(const std::string& pTag, const std::string& pText,
                          const std::vector<std::string>& pContext, std::string& /*pErr*/) {
    if (pContext.size() < 2 || pContext[1] != "CHARACTERS") return;
    int32_t value = 0;
    if (pTag == "ASCII") {
        // Codes without a slot in the table leave the WIDTH after them unused.
        const bool usable =
            WholeNumberIn(pText, 0, 255, value) && value >= kSpace && value <= kLastGlyph;
        mCurrentCode = usable ? value : -1;
    } else if (pTag == "WIDTH") {
        if (mCurrentCode >= kSpace && WholeNumberIn(pText, -32768, 32767, value))
            mCharWidth[mCurrentCode - kSpace] = static_cast<int16_t>(value);
    }
}

void clsWord::LayoutText(const std::string& t) {
    mGlyph.clear();
    mTextWidth = mTextHeight = 0;
    int32_t x = 0, y = 0;
    if (t.empty()) return;
    bool newLine = true, spaceSeen = false;
    for (const char ch : t) {
        const int c = static_cast<unsigned char>(ch);
        if (c == kCR) {
            y += vb::RoundEven(mLineHeight * 0.9);
            newLine = true;
        } else if (c == kSpace) {
            spaceSeen = true;
        } else if (c >= kFirstGlyph && c <= kLastGlyph) {
            if (newLine) {
                if (!mGlyph.empty())
                    mTextWidth = std::max(mTextWidth, CharWidth(mGlyph.back().Code) + x);
                x = 0;
                spaceSeen = newLine = false;
            } else {
                const int p = mGlyph.back().Code;
                x = Capital(p) && Capital(c) ? x + CharWidth(p)
                                             : vb::RoundEven(x + 0.8 * CharWidth(p));
                if (spaceSeen) {
                    x += vb::RoundEven(CharWidth(kSpace) * WordGapFactor(p, c));
                    spaceSeen = false;
                }
            }
            const int32_t w = CharWidth(c);
            const int32_t pad = w < mCellWidth ? vb::RoundEven((mCellWidth - w) / 2.0) : 0;
            mGlyph.push_back({static_cast<uint8_t>(c), x - pad, y});
        }
    }
    if (!mGlyph.empty()) {
        const int32_t w = CharWidth(mGlyph.back().Code) + x;
        if (w > mTextWidth || mTextWidth == 0) mTextWidth = w;
    }
    mTextHeight = y + mLineHeight;
}

std::array<int32_t, 3> clsWord::TextInfo(const std::string& pText) {
    LayoutText(pText);
    return {0, mTextWidth, mTextHeight};
}

void clsWord::BitBlt(gdi::HDC pMainHDC, gdi::HDC pMaskHDC, const std::string& pText, int32_t pLeft,
                     int32_t pTop) {
    LayoutText(pText);
    for (const Glyph& g : mGlyph) {
        mStrip.BitBltDeluxe(pMainHDC, pMaskHDC, pLeft + g.X, pTop + g.Y, mCellWidth, mLineHeight,
                            mCellWidth * (g.Code - kFirstGlyph), 0, gdi::SRCCOPY);
    }
}

std::unique_ptr<kivSprite3> clsWord::CreateSprite(const std::string& pText) {
    const std::array<int32_t, 3> info = TextInfo(pText);
    auto sprite = std::make_unique<kivSprite3>();
    // No surface can be 0 wide: a text without glyphs gives a transparent
    // pixel column rather than a display-memory error.
    sprite->Initialize(true, std::max(info[1], 1), std::max(info[2], 1), -1, "", -1);
    BitBlt(sprite->MainHDC(), sprite->MaskHDC(), pText, 0, 0);
    return sprite;
}
