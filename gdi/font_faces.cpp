#include "gdi/font_faces.h"

#include "gdi/font_files.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <tuple>

namespace gdi::fonts {

namespace {

FT_Library Library() {
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
        return lib;
    }();
    return library;
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

using Resolved = FontFile;

Resolved Resolve(const std::string& faceName, bool bold, bool italic) {
    static std::map<std::tuple<std::string, bool, bool>, Resolved> cache;
    const auto key = std::make_tuple(Lower(faceName), bold, italic);
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    const Resolved r = FindFontFile(faceName, bold, italic);
    cache.emplace(key, r);
    return r;
}

class FreeTypeFace final : public FaceInstance {
  public:
    FreeTypeFace(FT_Face face, bool emboldenGlyphs, double angle, int ascent, int descent)
        : mFace(face), mEmbolden(emboldenGlyphs) {
        mAngle = angle;
        mAscent = std::max(ascent, 1);
        mDescent = std::max(descent, 0);
        if (face->size && face->underline_thickness > 0) {
            const FT_Fixed scale = face->size->metrics.y_scale;
            const double position = FT_MulFix(face->underline_position, scale) / 64.0;
            const double thickness = FT_MulFix(face->underline_thickness, scale) / 64.0;
            mUnderlineThickness = std::max(1, static_cast<int>(std::lround(thickness)));
            mUnderlineOffset =
                std::max(1, static_cast<int>(std::lround(-position - thickness / 2)));
        }
    }
    ~FreeTypeFace() override { FT_Done_Face(mFace); }

    const Glyph& GlyphOf(unsigned char code) override {
        Glyph& g = mGlyphs[code];
        if (mLoaded[code]) return g;
        mLoaded[code] = true;
        if (FT_Load_Char(mFace, code, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0) return g;
        FT_GlyphSlot slot = mFace->glyph;
        if (mEmbolden) FT_GlyphSlot_Embolden(slot);
        g.advance = static_cast<int>((slot->metrics.horiAdvance + 32) >> 6);
        if (mAngle == 0) {
            g.penX = g.advance * 64;
            g.penY = 0;
        } else {
            g.penX = static_cast<int32_t>(slot->advance.x);
            g.penY = static_cast<int32_t>(-slot->advance.y);
        }
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return g;
        const FT_Bitmap& bm = slot->bitmap;
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.width = static_cast<int>(bm.width);
        g.height = static_cast<int>(bm.rows);
        g.coverage.resize(static_cast<size_t>(g.width) * g.height);
        for (int y = 0; y < g.height; ++y) {
            std::memcpy(g.coverage.data() + static_cast<size_t>(y) * g.width,
                        bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch,
                        static_cast<size_t>(g.width));
        }
        return g;
    }

  private:
    FT_Face mFace;
    bool mEmbolden;
    Glyph mGlyphs[256];
    bool mLoaded[256] = {};
};

struct InstanceKey {
    std::string file;
    int index;
    long emX, emY; // 26.6
    int escapement;
    bool embolden, slant;
    // By hand: not every standard library has <=> for strings yet.
    bool operator<(const InstanceKey& o) const {
        return std::tie(file, index, emX, emY, escapement, embolden, slant) <
               std::tie(o.file, o.index, o.emX, o.emY, o.escapement, o.embolden, o.slant);
    }
};

} // namespace

std::unique_ptr<FaceInstance> OpenFaceFile(const std::string& file, int emPixels) {
    FT_Library lib = Library();
    FT_Face face = nullptr;
    if (!lib || emPixels < 1 || FT_New_Face(lib, file.c_str(), 0, &face) != 0) return nullptr;
    if (FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(emPixels) * 64, 72, 72) != 0) {
        FT_Done_Face(face);
        return nullptr;
    }
    const FT_Size_Metrics& m = face->size->metrics;
    return std::make_unique<FreeTypeFace>(face, false, 0.0,
                                          static_cast<int>((m.ascender + 32) >> 6),
                                          static_cast<int>((-m.descender + 32) >> 6));
}

std::string ResolveFontFile(const std::string& faceName, bool bold, bool italic) {
    return Resolve(faceName, bold, italic).file;
}

namespace {

// An untouched face per file: sizes need its design metrics.
FT_Face DesignFace(FT_Library lib, const Resolved& r) {
    static std::map<std::pair<std::string, int>, FT_Face> designFaces;
    FT_Face& design = designFaces[{r.file, r.index}];
    if (!design && FT_New_Face(lib, r.file.c_str(), r.index, &design) != 0) design = nullptr;
    return design;
}

// A description's sizes in pixels against a face's design.
struct FaceSize {
    double em = 0, emX = 0; // em height and width
    int cell = 0, ascent = 0;
};

FaceSize SizeFor(const gdi::LOGFONT& lf, FT_Face design) {
    const double units = design->units_per_EM > 0 ? design->units_per_EM : 2048;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(design, FT_SFNT_OS2));
    // The cell is the Windows ascent plus descent where the face has them.
    double ascentUnits = design->ascender, descentUnits = -design->descender;
    if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
        ascentUnits = os2->usWinAscent;
        descentUnits = os2->usWinDescent;
    }
    double cellUnits = ascentUnits + descentUnits;
    if (cellUnits <= 0) {
        ascentUnits = units * 0.8;
        cellUnits = units;
    }
    FaceSize size;
    // Negative heights give the em size, positive ones the cell height.
    if (lf.lfHeight < 0) {
        size.em = -static_cast<double>(lf.lfHeight);
    } else if (lf.lfHeight > 0) {
        size.em = lf.lfHeight * units / cellUnits;
    } else {
        size.em = 16 * units / cellUnits;
    }
    size.em = std::clamp(size.em, 1.0, 2000.0);
    size.emX = size.em;
    if (lf.lfWidth > 0) {
        double average = os2 ? os2->xAvgCharWidth : 0;
        if (average <= 0) average = units / 2;
        size.emX = std::clamp(lf.lfWidth * units / average, 1.0, 4000.0);
    }
    size.cell =
        lf.lfHeight > 0 ? lf.lfHeight : static_cast<int>(std::lround(size.em * cellUnits / units));
    size.ascent = static_cast<int>(std::lround(size.em * ascentUnits / units));
    return size;
}

std::shared_ptr<FaceInstance> OpenInstance(FT_Library lib, const InstanceKey& key,
                                           const FaceSize& size) {
    FT_Face face = nullptr;
    if (FT_New_Face(lib, key.file.c_str(), key.index, &face) != 0) return nullptr;
    if (FT_Set_Char_Size(face, key.emX, key.emY, 72, 72) != 0) {
        FT_Done_Face(face);
        return nullptr;
    }
    const double angle = key.escapement * M_PI / 1800.0;
    if (key.escapement != 0 || key.slant) {
        const double shear = key.slant ? 0.2 : 0.0; // synthetic italic
        const double c = std::cos(angle), s = std::sin(angle);
        // Rotation times shear, in FreeType's y-up coordinates.
        FT_Matrix m;
        m.xx = static_cast<FT_Fixed>(std::lround(c * 0x10000));
        m.xy = static_cast<FT_Fixed>(std::lround((c * shear - s) * 0x10000));
        m.yx = static_cast<FT_Fixed>(std::lround(s * 0x10000));
        m.yy = static_cast<FT_Fixed>(std::lround((s * shear + c) * 0x10000));
        FT_Set_Transform(face, &m, nullptr);
    }
    return std::make_shared<FreeTypeFace>(face, key.embolden, angle, size.ascent,
                                          size.cell - size.ascent);
}

} // namespace

std::shared_ptr<FaceInstance> FaceFor(const gdi::LOGFONT& lf) {
    static std::map<InstanceKey, std::shared_ptr<FaceInstance>> instances;
    FT_Library lib = Library();
    if (!lib) return nullptr;

    char name[33] = {};
    std::memcpy(name, lf.lfFaceName, sizeof(lf.lfFaceName));
    const bool bold = lf.lfWeight >= 600;
    const bool italic = lf.lfItalic != 0;
    const Resolved r = Resolve(name, bold, italic);
    if (r.file.empty()) return nullptr;
    const FT_Face design = DesignFace(lib, r);
    if (!design) return nullptr;
    const FaceSize size = SizeFor(lf, design);

    InstanceKey key{r.file,
                    r.index,
                    std::lround(size.emX * 64),
                    std::lround(size.em * 64),
                    lf.lfEscapement % 3600,
                    bold && !r.bold,
                    italic && !r.italic};
    auto it = instances.find(key);
    if (it != instances.end()) return it->second;

    // A full cache starts afresh; whoever still holds a face keeps it.
    if (instances.size() >= 64) instances.clear();
    std::shared_ptr<FaceInstance> instance = OpenInstance(lib, key, size);
    if (instance) instances.emplace(std::move(key), instance);
    return instance;
}

} // namespace gdi::fonts
