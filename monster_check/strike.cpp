#include "monster_check/strike.h"

namespace monster_check {

bool FindStrikePlace(const gdi::Picture& picture, const CheckResult& check, const WhitePatch& patch,
                     StrikePlace& out) {
    const auto inside = [&](int32_t x, int32_t y) {
        return x >= 0 && y >= 0 && x < picture.width && y < picture.height;
    };
    const auto classAt = [&](int32_t x, int32_t y) {
        if (!inside(x, y)) return PixelClass::Empty;
        return ClassifyPixel(picture.pixels[static_cast<size_t>(y) * picture.width + x]);
    };
    for (int32_t py = patch.top; py <= patch.bottom; ++py) {
        for (int32_t px = patch.left; px <= patch.right; ++px) {
            if (classAt(px, py) != PixelClass::White) continue;
            for (int32_t dy = -1; dy <= 1; ++dy) {
                for (int32_t dx = -1; dx <= 1; ++dx) {
                    if (!dx && !dy) continue;
                    for (int32_t n = 1; n <= kSwordReach; ++n) {
                        const int32_t mx = px - n * dx, my = py - n * dy;
                        if (!inside(mx, my)) break;
                        if (!check.restMap[static_cast<size_t>(my) * picture.width + mx]) continue;
                        bool clear = true;
                        for (int32_t k = 1; k < n; ++k) {
                            const PixelClass c = classAt(mx + k * dx, my + k * dy);
                            clear = clear && (c == PixelClass::Empty || c == PixelClass::Fur);
                        }
                        if (clear) {
                            out = {mx, my, dx, dy};
                            return true;
                        }
                    }
                }
            }
        }
    }
    return false;
}

} // namespace monster_check
