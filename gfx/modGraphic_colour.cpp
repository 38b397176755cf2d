// Colour classification and rounding up.
#include <cmath>

#include "gfx/modGraphic.h"

namespace {

// Into 0..1: below 0 or not a number gives 0, above 255 gives 1.
double Unit(double component) {
    if (!(component >= 0)) return 0;
    if (component > 255) return 1;
    return component / 255;
}

} // namespace

void SplitRgb(int32_t pColor, double& r, double& g, double& b) {
    r = pColor & 0xFF;
    g = (pColor & 0xFF00) / 256.0;
    b = (pColor & 0xFF0000) / 65536.0;
}

void RgbToHsv(double r, double g, double b, double& h, double& s, double& v) {
    const double red = Unit(r), green = Unit(g), blue = Unit(b);
    const double max = std::fmax(red, std::fmax(green, blue));
    const double min = std::fmin(red, std::fmin(green, blue));
    v = max;
    const double delta = max - min;
    if (std::fabs(delta) < 0.00001) {
        h = 0;
        s = 0;
        return;
    }
    s = delta / max;
    const double dr = ((max - red) / 6 + delta / 2) / delta;
    const double dg = ((max - green) / 6 + delta / 2) / delta;
    const double db = ((max - blue) / 6 + delta / 2) / delta;
    if (red == max) {
        h = db - dg;
    } else if (green == max) {
        h = 1.0 / 3 + dr - db;
    } else {
        h = 2.0 / 3 + dg - dr;
    }
    if (h < 0) h += 1;
    if (h > 1) h -= 1;
}

double RoundUp(double pValue, int32_t pDecimals) {
    const double scale = std::pow(10.0, pDecimals);
    return -std::floor(-pValue * scale) / scale;
}
