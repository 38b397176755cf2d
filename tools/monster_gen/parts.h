// Body parts shared by the creatures. Rims are the outer layer of a part in a
// climbable colour, so that the man can hold on all along its outline.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "tools/monster_gen/design_canvas.h"

namespace monster_gen {

// An ellipse of body colour inside a rim rimWidth thick.
void RimmedEllipse(DesignCanvas& c, int32_t cx, int32_t cy, int32_t rx, int32_t ry,
                   gdi::COLORREF body, gdi::COLORREF rim, int32_t rimWidth = 2);

// A leg from top down to the ground row, rims on both sides, a foot at the
// bottom reaching `foot` pixels further on each side.
void Leg(DesignCanvas& c, int32_t left, int32_t top, int32_t width, gdi::COLORREF body,
         gdi::COLORREF rim, int32_t foot = 2);

// Legs of one height, width and colours at each of the left edges.
void Legs(DesignCanvas& c, std::initializer_list<int32_t> lefts, int32_t top, int32_t width,
          gdi::COLORREF body, gdi::COLORREF rim, int32_t foot = 2);

// A ledge band across a limb: a place to stand and rest on a long climb.
void Band(DesignCanvas& c, int32_t left, int32_t right, int32_t top, int32_t height,
          gdi::COLORREF colour);

// A white hit point patch centred on (cx, cy).
void HitPoint(DesignCanvas& c, int32_t cx, int32_t cy, int32_t halfWidth = 3,
              int32_t halfHeight = 2);

struct Patch {
    int32_t cx, cy, halfWidth = 3, halfHeight = 2;
};
// Every hit point of a creature, painted in the order given.
void HitPoints(DesignCanvas& c, std::initializer_list<Patch> patches);

// A red eye with a dark pupil looking towards dx.
void Eye(DesignCanvas& c, int32_t cx, int32_t cy, int32_t r, int32_t dx);

// A red spike from a base centred on (x, y) to the tip (x + dx, y + dy).
void Spike(DesignCanvas& c, int32_t x, int32_t y, int32_t dx, int32_t dy, int32_t halfBase);

// Dark shading spots inside a body: places the man can pass through.
void Spot(DesignCanvas& c, int32_t cx, int32_t cy, int32_t rx, int32_t ry, gdi::COLORREF shade);

struct Oval {
    int32_t cx, cy, rx, ry;
};
// Several spots of one shade, painted in the order given.
void Spots(DesignCanvas& c, std::initializer_list<Oval> spots, gdi::COLORREF shade);

} // namespace monster_gen
