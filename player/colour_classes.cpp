// The man's colour classes, by hue, saturation and value.
#include "player/colour_classes.h"

#include "gfx/modGraphic.h"
#include "world/world_globals.h"

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

bool IsDeadlyHsv(double h, double s, double v) {
    return v >= 0.6 && s > 0.9 && s < 1.1 && h > -0.015 && h < 0.015;
}

bool IsGripHsv(double h, double s, double v) {
    if (v < ValueThreshold) return false;
    const bool yellowGreen = s > 0.6 && s < 0.8 && h > 0.204 && h < 0.234;
    const bool yellow = s > 0.58 && s < 0.78 && h > 0.152 && h < 0.182;
    return yellowGreen || yellow;
}

bool IsFurHsv(double h, double s, double v) {
    return v >= ValueThreshold && s > 0.5 && s <= 1.0 && h > 0.151 && h < 0.181;
}

bool IsDeadlyColour(int32_t colour) {
    const Hsv c = ToHsv(colour);
    return IsDeadlyHsv(c.h, c.s, c.v);
}

bool IsGripColour(int32_t colour) {
    if (colour == ColourWhite) return true;
    const Hsv c = ToHsv(colour);
    return IsGripHsv(c.h, c.s, c.v);
}

bool IsFurColour(int32_t colour) {
    const Hsv c = ToHsv(colour);
    return IsFurHsv(c.h, c.s, c.v);
}

bool IsSolidMonsterColour(int32_t colour) {
    return ToHsv(colour).v >= ValueThreshold;
}
