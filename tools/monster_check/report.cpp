// The checker's findings for people: the text report, the class map as text
// and the preview picture.
#include <cstdio>

#include "player/colour_classes.h"
#include "tools/monster_check/monster_check.h"

namespace monster_check {
namespace {

constexpr uint32_t kWhiteColour = 0xFFFFFF;

std::string FormatCodes(const MonsterName& name) {
    std::string text;
    for (size_t i = 0; i < name.MoveCode.size(); ++i) {
        if (i) text += '-';
        text += std::to_string(name.MoveCode[i]);
    }
    return text;
}

// Colours a nudge of two in one channel would move into another class: a paint
// program's rounding could change what the man makes of them.

} // namespace

std::string FormatReport(const CheckResult& r) {
    std::string out = r.fileName + "\n";
    if (r.nameOk) {
        const MonsterName& n = r.name;
        out += "  ID " + n.MonsterID + ", name \"" + n.MonsterName + "\", codes " + FormatCodes(n) +
               (n.Flying ? ", flies" : ", does not fly") + "\n";
        for (size_t i = 0; i < n.MoveCode.size(); ++i)
            out += "    stage " + std::to_string(i + 1) + ": " + std::to_string(n.MoveCode[i]) +
                   " " + DescribeMoveCode(n.MoveCode[i]) + "\n";
    } else {
        char number[16];
        std::snprintf(number, sizeof number, "&H%08X", static_cast<uint32_t>(r.errorNumber));
        out += "  NAME ERROR " + std::string(number) + ": " + r.errorText + "\n";
    }
    out += "  size " + std::to_string(r.width) + " x " + std::to_string(r.height) +
           " game pixels; " +
           (r.height > 600 ? "drops in from above the view" : "rises out of the ground") + "\n";
    if (r.nameOk && r.name.Flying && r.height <= 600)
        out += "  a flyer: it starts flying once its top " +
               std::to_string(static_cast<int32_t>(r.height * 0.15) + 1) +
               " rows are out of the ground, then coasts on; high hit points come first\n";
    const PixelCounts& c = r.counts;
    out += "  pixels: solid " + std::to_string(c.solid) + ", grip " + std::to_string(c.grip) +
           ", fur " + std::to_string(c.fur) + ", deadly " + std::to_string(c.deadly) + ", white " +
           std::to_string(c.white) + ", empty " + std::to_string(c.empty) + "\n";
    out += "  hit points: " + std::to_string(r.patches.size()) + " white patch(es) in " +
           std::to_string(r.groups) + " separate place(s), " + std::to_string(r.reachableGroups) +
           " within reach\n";
    for (size_t i = 0; i < r.patches.size(); ++i) {
        const WhitePatch& p = r.patches[i];
        out += "    #" + std::to_string(i + 1) + " at " + std::to_string(p.left) + "," +
               std::to_string(p.top) + " (" + std::to_string(p.right - p.left + 1) + " x " +
               std::to_string(p.bottom - p.top + 1) + ", " + std::to_string(p.pixels) +
               " pixels), place " + std::to_string(p.group) + ": " +
               (p.reachable ? "a strike can reach it" : "OUT OF REACH") + "\n";
    }
    for (const std::string& warning : r.warnings) out += "  warning: " + warning + "\n";
    if (r.beatable) {
        out += "  verdict: beatable\n";
    } else {
        out += "  verdict: CANNOT BE BEATEN (";
        out += !r.nameOk ? "the game stops at its name"
                         : "fewer than " + std::to_string(kHitPointsNeeded) +
                               " separate hit points can be struck";
        out += ")\n";
    }
    return out;
}

std::string TextMap(const platform::Picture& picture, const CheckResult& result) {
    std::string out;
    for (int32_t y = 0; y < picture.height; ++y) {
        for (int32_t x = 0; x < picture.width; ++x) {
            const size_t i = static_cast<size_t>(y) * picture.width + x;
            switch (ClassifyPixel(picture.pixels[i])) {
            case PixelClass::Empty:
                out += i < result.restMap.size() && result.restMap[i] ? 'o' : '.';
                break;
            case PixelClass::Solid:
                out += '#';
                break;
            case PixelClass::Grip:
                out += 'g';
                break;
            case PixelClass::Fur:
                out += 'f';
                break;
            case PixelClass::Deadly:
                out += 'X';
                break;
            case PixelClass::White:
                out += 'W';
                break;
            }
        }
        out += '\n';
    }
    return out;
}

platform::Picture PreviewPicture(const platform::Picture& picture, const CheckResult& result) {
    platform::Picture preview;
    preview.width = picture.width;
    preview.height = picture.height;
    preview.pixels.resize(picture.pixels.size());
    const auto rgb = [](int r, int g, int b) { return gdi::RGB(r, g, b); };
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
        const uint32_t colour = picture.pixels[i];
        uint32_t shown = 0;
        switch (ClassifyPixel(colour)) {
        case PixelClass::Empty:
            if (i < result.restMap.size() && result.restMap[i])
                shown = rgb(0, 110, 130); // where the man can stand or hold on
            else if (colour != 0)
                shown = rgb(48, 48, 48); // dark shading
            break;
        case PixelClass::Solid:
            shown = rgb(80, 100, 190);
            break;
        case PixelClass::Grip:
            shown = rgb(40, 200, 60);
            break;
        case PixelClass::Fur:
            shown =
                IsGripColour(static_cast<int32_t>(colour)) ? rgb(240, 220, 40) : rgb(200, 130, 20);
            break;
        case PixelClass::Deadly:
            shown = rgb(255, 0, 0);
            break;
        case PixelClass::White:
            shown = rgb(255, 255, 255);
            break;
        }
        preview.pixels[i] = shown;
    }
    // Hit points out of reach in magenta.
    for (const WhitePatch& patch : result.patches) {
        if (patch.reachable) continue;
        for (int32_t y = patch.top; y <= patch.bottom; ++y)
            for (int32_t x = patch.left; x <= patch.right; ++x) {
                const size_t i = static_cast<size_t>(y) * picture.width + x;
                if (picture.pixels[i] == kWhiteColour) preview.pixels[i] = rgb(255, 0, 255);
            }
    }
    return preview;
}

} // namespace monster_check
