// Words in a bitmap font. A font F is two files: F.gif, one row of 90 equal
// cells holding the glyphs of the codes 33 ("!") to 122 ("z") on black
// (transparent), and F.txt, the advance widths in the tag notation read with
// ReadXML. Glyphs are placed tightly, closer after small letters than between
// capitals, and centred on their advance in their cells.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gdi/raster.h"
#include "gfx/kivSprite3.h"

class clsWord {
  public:
    // Loads F.gif and F.txt; a missing file raises runtime error 53. Problems
    // in the width file are ignored.
    void Initialize(const std::string& pFontName, int32_t pTransparentColor);
    // (0, width, height) in pixels. A text without glyphs (spaces, CRs) is 0
    // wide and as high as its lines.
    std::array<int32_t, 3> TextInfo(const std::string& pText);
    // Draws with the top-left corner at (pLeft, pTop); pMaskHDC, when not
    // nullptr, is the destination's mask.
    void BitBlt(gdi::HDC pMainHDC, gdi::HDC pMaskHDC, const std::string& pText, int32_t pLeft,
                int32_t pTop);
    // A new masked surface as large as the text, holding it; at least 1 x 1.
    std::unique_ptr<kivSprite3> CreateSprite(const std::string& pText);
    void XMLCallBack(const std::string& pTag, const std::string& pText,
                     const std::vector<std::string>& pContext, std::string& pErr);
    // Writes a width file of the host form's font "CircusDog" at size 56.
    void Save(const std::string& pFileName);

    struct Glyph {
        uint8_t Code = 0;     // 33 to 122
        int32_t X = 0, Y = 0; // top-left of its strip cell, from the text's origin
    };
    // The glyphs of the last laid-out text.
    const std::vector<Glyph>& Glyphs() const { return mGlyph; }
    int32_t CellWidth() const { return mCellWidth; }
    int32_t LineHeight() const { return mLineHeight; }

  private:
    void LayoutText(const std::string& t);
    int32_t CharWidth(int code) const { return mCharWidth[code - 32]; }

    kivSprite3 mStrip;
    std::array<int16_t, 91> mCharWidth{}; // codes 32 to 122
    int32_t mCellWidth = 0;
    int32_t mLineHeight = 0;
    std::vector<Glyph> mGlyph; // its size is the glyph count
    int32_t mTextWidth = 0;
    int32_t mTextHeight = 0;
    int mCurrentCode = -1; // the last ASCII of the width file, -1 = none usable
};
