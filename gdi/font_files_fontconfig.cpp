#include "gdi/font_files.h"

#include <fontconfig/fontconfig.h>

namespace gdi::fonts {

FontFile FindFontFile(const std::string& faceName, bool bold, bool italic) {
    FontFile r;
    if (FcInit()) {
        FcPattern* pattern = FcPatternCreate();
        const std::string family = faceName.empty() ? "sans-serif" : faceName;
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        if (match) {
            FcChar8* file = nullptr;
            int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
            if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
                r.file = reinterpret_cast<const char*>(file);
            }
            FcPatternGetInteger(match, FC_INDEX, 0, &index);
            FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
            FcPatternGetInteger(match, FC_SLANT, 0, &slant);
            r.index = index;
            r.bold = weight >= FC_WEIGHT_DEMIBOLD;
            r.italic = slant != FC_SLANT_ROMAN;
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pattern);
    }
    return r;
}

} // namespace gdi::fonts
