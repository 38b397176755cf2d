// The game's icon: a giant with yellow fur and a white hit point, and the
// little red man with his sword on its back. Drawn on a 64-unit grid scaled
// to each size, so small sizes stay clear rather than blurred copies.
#include <algorithm>
#include <cmath>

#include "gdi/memory_canvas.h"
#include "tools/art/pictures.h"

namespace art {

gdi::Picture Icon(int size) {
    gdi::MemoryCanvas c(size, size);
    const double s = size / 64.0;
    auto at = [s](double v) { return static_cast<int>(std::lround(v * s)); };
    auto box = [&](double l, double t, double r, double b, Colour colour, bool round) {
        // At least one pixel, so nothing vanishes at 16 x 16.
        const int L = at(l), T = at(t);
        const int R = std::max(L + 1, at(r)), B = std::max(T + 1, at(b));
        if (round) {
            c.Ellipse(L, T, R, B, colour);
        } else {
            c.Fill(L, T, R, B, colour);
        }
    };
    const Colour body = gdi::RGB(96, 104, 150), dark = gdi::RGB(60, 64, 98);
    const Colour fur = gdi::RGB(224, 204, 70), white = gdi::RGB(255, 255, 255);
    box(13, 46, 23, 62, dark, false); // legs
    box(41, 46, 51, 62, dark, false);
    box(4, 20, 60, 54, body, true);
    // Fur along the back: tufts above the body's outline, a band below it.
    auto back = [](double x) { // the body's top edge at x
        const double u = (x - 32) / 28;
        return 37 - 17 * std::sqrt(std::max(0.0, 1 - u * u));
    };
    std::vector<gdi::POINT> tufts;
    for (int i = 0; i <= 8; ++i) {
        const double x = 11 + i * 5.25;
        tufts.push_back({at(x), at(back(x) - (i % 2 ? 7 : 1))});
    }
    for (int i = 8; i >= 0; --i) {
        const double x = 11 + i * 5.25;
        tufts.push_back({at(x), at(back(x) + 7)});
    }
    c.Polygon(tufts, fur);
    box(27, 32, 37, 42, white, false);                // the hit point
    box(44, 30, 49, 35, gdi::RGB(255, 40, 40), true); // an eye
    // The man and his sword, on the fur.
    box(23, 8, 27, 14, gdi::RGB(255, 0, 0), false);
    box(27, 10, 34, 11.5, gdi::RGB(230, 230, 240), false);
    return c.ToPicture();
}

} // namespace art
