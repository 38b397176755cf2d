// The checker's findings for people: the text report, the class map as text
// and the preview picture.
#include <cstdio>

#include "monster_check/monster_check.h"
#include "player/colour_classes.h"

namespace monster_check {
namespace {

constexpr uint32_t kWhiteColour = 0xFFFFFF;

// Indexed by PixelClass. Empty places where the man can rest show apart; in
// the preview other empty pixels show as dark shading, black stays black.
constexpr char kMapChars[kPixelClassCount + 1] = ".#gfXW";
constexpr char kRestChar = 'o';
const uint32_t kPreviewColours[kPixelClassCount] = {
    gdi::RGB(48, 48, 48),   gdi::RGB(80, 100, 190), gdi::RGB(40, 200, 60),
    gdi::RGB(200, 130, 20), gdi::RGB(255, 0, 0),    gdi::RGB(255, 255, 255),
};
const uint32_t kRestColour = gdi::RGB(0, 110, 130);     // where the man can stand or hold on
const uint32_t kFurGripColour = gdi::RGB(240, 220, 40); // fur the man can also hold on to
const uint32_t kOutOfReachColour = gdi::RGB(255, 0, 255);

bool IsRest(const CheckResult& result, size_t i) {
    return i < result.restMap.size() && result.restMap[i];
}

std::string FormatCodes(const MonsterName& name) {
    std::string text;
    for (size_t i = 0; i < name.MoveCode.size(); ++i) {
        if (i) text += '-';
        text += std::to_string(name.MoveCode[i]);
    }
    return text;
}

// Size, pixel classes and hit points of a picture that was read.
std::string PictureFindings(const CheckResult& r) {
    std::string out =
        "  size " + std::to_string(r.width) + " x " + std::to_string(r.height) + " game pixels; " +
        (r.height > 600 ? "drops in from above the view" : "rises out of the ground") + "\n";
    if (r.nameOk && r.name.Flying && r.height <= 600)
        out += "  a flyer: it starts flying once its top " +
               std::to_string(static_cast<int32_t>(r.height * 0.15) + 1) +
               " rows are out of the ground, then coasts on; high hit points come first\n";
    const PixelCounts& c = r.counts;
    out += "  pixels: solid " + std::to_string(c.solid) + ", grip " + std::to_string(c.grip) +
           ", fur " + std::to_string(c.fur) + ", deadly " + std::to_string(c.deadly) + ", white " +
           std::to_string(c.white) + ", empty " + std::to_string(c.empty) + "\n";
    out += "  hit points: " +
           CountOf(static_cast<int64_t>(r.patches.size()), "white patch", "white patches") +
           " in " + CountOf(r.groups, "separate place", "separate places") + ", " +
           std::to_string(r.reachableGroups) + " within reach\n";
    for (size_t i = 0; i < r.patches.size(); ++i) {
        const WhitePatch& p = r.patches[i];
        out += "    #" + std::to_string(i + 1) + " at " + std::to_string(p.left) + "," +
               std::to_string(p.top) + " (" + std::to_string(p.right - p.left + 1) + " x " +
               std::to_string(p.bottom - p.top + 1) + ", " + std::to_string(p.pixels) +
               " pixels), place " + std::to_string(p.group) + ": " +
               (p.reachable ? "a strike can reach it" : "OUT OF REACH") + "\n";
    }
    return out;
}

} // namespace

std::string FormatReport(const CheckResult& r) {
    std::string out = r.fileName + "\n";
    if (r.nameOk) {
        const MonsterName& n = r.name;
        out += "  ID " + n.MonsterID + ", name \"" + n.MonsterName + "\", codes " + FormatCodes(n) +
               (n.Flying ? ", flies" : ", does not fly") + "\n";
        for (size_t i = 0; i < n.MoveCode.size(); ++i)
            out += "    stage " + std::to_string(i + 1) + ": code " +
                   std::to_string(n.MoveCode[i]) + ", " + DescribeMoveCode(n.MoveCode[i]) + "\n";
    } else {
        char number[16];
        std::snprintf(number, sizeof number, "&H%08X", static_cast<uint32_t>(r.errorNumber));
        out += "  NAME ERROR " + std::string(number) + ": " + r.errorText + "\n";
    }
    if (r.loadError.empty()) out += PictureFindings(r);
    for (const std::string& warning : r.warnings) out += "  warning: " + warning + "\n";
    if (r.beatable) {
        out += "  verdict: beatable\n";
    } else {
        out += "  verdict: CANNOT BE BEATEN (";
        // In the game's order: the name is read before the picture is loaded.
        out += !r.nameOk              ? "the game stops at its name"
               : !r.loadError.empty() ? "the game stops at a picture it cannot load"
                                      : "fewer than " + std::to_string(kHitPointsNeeded) +
                                            " separate hit points can be struck";
        out += ")\n";
    }
    return out;
}

std::string TextMap(const gdi::Picture& picture, const CheckResult& result) {
    std::string out;
    for (int32_t y = 0; y < picture.height; ++y) {
        for (int32_t x = 0; x < picture.width; ++x) {
            const size_t i = static_cast<size_t>(y) * picture.width + x;
            const PixelClass cls = ClassifyPixel(picture.pixels[i]);
            out += cls == PixelClass::Empty && IsRest(result, i)
                       ? kRestChar
                       : kMapChars[static_cast<size_t>(cls)];
        }
        out += '\n';
    }
    return out;
}

gdi::Picture PreviewPicture(const gdi::Picture& picture, const CheckResult& result) {
    gdi::Picture preview;
    preview.width = picture.width;
    preview.height = picture.height;
    preview.pixels.resize(picture.pixels.size());
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
        const uint32_t colour = picture.pixels[i];
        const PixelClass cls = ClassifyPixel(colour);
        uint32_t shown = kPreviewColours[static_cast<size_t>(cls)];
        if (cls == PixelClass::Empty)
            shown = IsRest(result, i) ? kRestColour : colour != 0 ? shown : 0;
        else if (cls == PixelClass::Fur && IsGripColour(static_cast<int32_t>(colour)))
            shown = kFurGripColour;
        preview.pixels[i] = shown;
    }
    // Hit points out of reach in magenta.
    for (const WhitePatch& patch : result.patches) {
        if (patch.reachable) continue;
        for (int32_t y = patch.top; y <= patch.bottom; ++y)
            for (int32_t x = patch.left; x <= patch.right; ++x) {
                const size_t i = static_cast<size_t>(y) * picture.width + x;
                if (picture.pixels[i] == kWhiteColour) preview.pixels[i] = kOutOfReachColour;
            }
    }
    return preview;
}

} // namespace monster_check
