// Font faces for the raster's text: a LOGFONT resolved through fontconfig to a
// file, opened with FreeType at the asked size and angle, glyphs kept once
// rendered. Faces are cached, so text drawn every frame costs little.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gdi/raster.h"

namespace gdi::fonts {

struct Glyph {
    int advance = 0;            // unrotated advance in whole pixels (layout)
    int32_t penX = 0, penY = 0; // pen movement along the (rotated) baseline, 26.6, y down
    int left = 0, top = 0;      // bitmap offset from the pen position (top is upward)
    int width = 0, height = 0;
    std::vector<uint8_t> coverage; // width x height, 0..255
};

class FaceInstance {
  public:
    virtual ~FaceInstance() = default;
    int Ascent() const { return mAscent; }
    int Descent() const { return mDescent; }
    int LineHeight() const { return mAscent + mDescent; }
    double EscapementRadians() const { return mAngle; }
    // The face's underline: its top below the baseline, and its thickness.
    int UnderlineOffset() const { return mUnderlineOffset; }
    int UnderlineThickness() const { return mUnderlineThickness; }
    // Glyph of one Latin-1 byte.
    virtual const Glyph& GlyphOf(unsigned char code) = 0;

  protected:
    int mAscent = 0, mDescent = 0;
    int mUnderlineOffset = 1, mUnderlineThickness = 1;
    double mAngle = 0;
};

// The face for a description, or nullptr when no font can be found. Shared:
// the cache may let go of it while the caller still draws with it.
std::shared_ptr<FaceInstance> FaceFor(const gdi::LOGFONT& description);

// A face opened straight from a font file, at an em height in pixels and
// upright: for generators whose output must not depend on what fontconfig
// picks. nullptr when the file cannot be used.
std::unique_ptr<FaceInstance> OpenFaceFile(const std::string& file, int emPixels);

// The file a face name resolves to (empty when none), for diagnostics and tests.
std::string ResolveFontFile(const std::string& faceName, bool bold, bool italic);

} // namespace gdi::fonts
