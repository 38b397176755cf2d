#include "tools/monster_gen/parts.h"

#include <cstdlib>

#include "tools/monster_gen/palette.h"

namespace monster_gen {

void RimmedEllipse(DesignCanvas& c, int32_t cx, int32_t cy, int32_t rx, int32_t ry,
                   gdi::COLORREF body, gdi::COLORREF rim, int32_t rimWidth) {
    c.Ellipse(cx, cy, rx + rimWidth, ry + rimWidth, rim);
    c.Ellipse(cx, cy, rx, ry, body);
}

void Leg(DesignCanvas& c, int32_t left, int32_t top, int32_t width, gdi::COLORREF body,
         gdi::COLORREF rim, int32_t foot) {
    const int32_t bottom = c.Height() - 1;
    c.Rect(left, top, left + width - 1, bottom, rim);
    c.Rect(left + 2, top, left + width - 3, bottom, body);
    if (foot > 0) {
        c.Rect(left - foot, bottom - 3, left + width - 1 + foot, bottom, rim);
        c.Rect(left - foot + 2, bottom - 1, left + width - 3 + foot, bottom, body);
    }
}

void Legs(DesignCanvas& c, std::initializer_list<int32_t> lefts, int32_t top, int32_t width,
          gdi::COLORREF body, gdi::COLORREF rim, int32_t foot) {
    for (int32_t left : lefts) Leg(c, left, top, width, body, rim, foot);
}

void Band(DesignCanvas& c, int32_t left, int32_t right, int32_t top, int32_t height,
          gdi::COLORREF colour) {
    c.Rect(left, top, right, top + height - 1, colour);
}

void HitPoint(DesignCanvas& c, int32_t cx, int32_t cy, int32_t halfWidth, int32_t halfHeight) {
    c.Rect(cx - halfWidth, cy - halfHeight, cx + halfWidth, cy + halfHeight, palette::White);
}

void HitPoints(DesignCanvas& c, std::initializer_list<Patch> patches) {
    for (const Patch& p : patches) HitPoint(c, p.cx, p.cy, p.halfWidth, p.halfHeight);
}

void Eye(DesignCanvas& c, int32_t cx, int32_t cy, int32_t r, int32_t dx) {
    c.Ellipse(cx, cy, r, r, palette::Red);
    const int32_t p = r > 3 ? r / 2 : 1;
    c.Ellipse(cx + (dx > 0 ? r - p : dx < 0 ? p - r : 0), cy, p, p, palette::Pupil);
}

void Spike(DesignCanvas& c, int32_t x, int32_t y, int32_t dx, int32_t dy, int32_t halfBase) {
    // The base runs across the spike's direction.
    const bool upright = std::abs(dy) >= std::abs(dx);
    if (upright)
        c.Polygon({{x - halfBase, y}, {x + halfBase, y}, {x + dx, y + dy}}, palette::Red);
    else
        c.Polygon({{x, y - halfBase}, {x, y + halfBase}, {x + dx, y + dy}}, palette::Red);
}

void Spot(DesignCanvas& c, int32_t cx, int32_t cy, int32_t rx, int32_t ry, gdi::COLORREF shade) {
    c.Ellipse(cx, cy, rx, ry, shade);
}

void Spots(DesignCanvas& c, std::initializer_list<Oval> spots, gdi::COLORREF shade) {
    for (const Oval& o : spots) Spot(c, o.cx, o.cy, o.rx, o.ry, shade);
}

} // namespace monster_gen
