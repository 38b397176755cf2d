// The colours monsters are painted in, each chosen for the class the man sees:
// body colours are bright but neither grip, fur nor deadly; shading is dark,
// so the man passes through it; fur is the yellow the sword cuts and the man
// holds on to; grip is the yellow-green he holds on to; red kills; white is a
// hit point.
#pragma once

#include "gdi/raster.h"

namespace monster_gen::palette {

using gdi::RGB;

// Bodies (solid).
constexpr gdi::COLORREF Blue = RGB(70, 120, 230);
constexpr gdi::COLORREF SkyBlue = RGB(120, 175, 250);
constexpr gdi::COLORREF Purple = RGB(160, 90, 220);
constexpr gdi::COLORREF Lilac = RGB(200, 150, 245);
constexpr gdi::COLORREF Orange = RGB(240, 130, 40);
constexpr gdi::COLORREF Pink = RGB(240, 120, 190);
constexpr gdi::COLORREF Teal = RGB(40, 200, 190);
constexpr gdi::COLORREF Magenta = RGB(220, 60, 160);
constexpr gdi::COLORREF Bone = RGB(235, 225, 250);

// Shading (empty: brightest channel below 166).
constexpr gdi::COLORREF DeepBlue = RGB(30, 50, 130);
constexpr gdi::COLORREF DeepPurple = RGB(80, 40, 120);
constexpr gdi::COLORREF Umber = RGB(130, 60, 20);
constexpr gdi::COLORREF Plum = RGB(120, 40, 90);
constexpr gdi::COLORREF DeepTeal = RGB(20, 100, 95);
constexpr gdi::COLORREF Pupil = RGB(50, 0, 10);

// Fur: the yellow band, held on to and cut by the sword.
constexpr gdi::COLORREF Fur = RGB(230, 230, 74);
constexpr gdi::COLORREF FurDark = RGB(220, 215, 70);

// Grip: the yellow-green band.
constexpr gdi::COLORREF Grip = RGB(150, 200, 60);
constexpr gdi::COLORREF GripLight = RGB(160, 215, 65);

// Deadly bright red, with a hint of green: the deadly hue band does not wrap
// round, so pure red with the faintest blue in it would be harmless.
constexpr gdi::COLORREF Red = RGB(255, 6, 0);
constexpr gdi::COLORREF RedDim = RGB(230, 6, 0);

// Hit points.
constexpr gdi::COLORREF White = RGB(255, 255, 255);

} // namespace monster_gen::palette
