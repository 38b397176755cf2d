// The man's colour classes, by hue, saturation and value.
#include "player/colour_classes.h"

#include "app/modMain.h"
#include "gfx/modGraphic.h"

namespace {

struct Hsv {
    double h = 0, s = 0, v = 0;
};

Hsv ToHsv(int32_t colour) {
    double r = 0, g = 0, b = 0;
    Hsv out;
    SplitRgb(colour, r, g, b);
    RgbToHsv(r, g, b, out.h, out.s, out.v);
    return out;
}

} // namespace

bool IsDeadlyColour(int32_t colour) {
    const Hsv c = ToHsv(colour);
    return c.v >= 0.6 && c.s > 0.9 && c.s < 1.1 && c.h > -0.015 && c.h < 0.015;
}

bool IsGripColour(int32_t colour) {
    if (colour == ColourWhite) return true;
    const Hsv c = ToHsv(colour);
    if (c.v < ValueThreshold) return false;
    const bool yellowGreen = c.s > 0.6 && c.s < 0.8 && c.h > 0.204 && c.h < 0.234;
    const bool yellow = c.s > 0.58 && c.s < 0.78 && c.h > 0.152 && c.h < 0.182;
    return yellowGreen || yellow;
}

bool IsFurColour(int32_t colour) {
    const Hsv c = ToHsv(colour);
    return c.v >= ValueThreshold && c.s > 0.5 && c.s <= 1.0 && c.h > 0.151 && c.h < 0.181;
}

bool IsSolidMonsterColour(int32_t colour) {
    double r = 0, g = 0, b = 0;
    SplitRgb(colour, r, g, b);
    double h = 0, s = 0, v = 0;
    RgbToHsv(r, g, b, h, s, v);
    return v >= ValueThreshold;
}
