// The first four: small to large beasts that walk, jump and heave.
#include "tools/monster_gen/creatures.h"
#include "tools/monster_gen/palette.h"
#include "tools/monster_gen/parts.h"

namespace monster_gen {

using namespace palette;

// A shelled beetle, small enough to jump onto.
gdi::Picture PaintMossback() {
    DesignCanvas c(84, 58);
    c.Polygon({{0, 20}, {14, 22}, {12, 30}}, FurDark); // tail
    Legs(c, {16, 56}, 38, 8, Blue, Grip);
    RimmedEllipse(c, 40, 28, 30, 15, Purple, Fur);
    Spots(c, {{28, 28, 5, 4}, {46, 22, 6, 3}, {55, 33, 4, 3}}, DeepPurple);
    RimmedEllipse(c, 73, 32, 7, 7, Blue, Grip);
    Eye(c, 76, 29, 2, 1);
    c.Polygon({{79, 35}, {83, 36}, {79, 38}}, Red); // mouth
    HitPoints(c, {{20, 16}, {48, 13}, {73, 24, 2, 1}});
    return c.ToPicture();
}

// A toad whose hind legs fold under a broad back.
gdi::Picture PaintHopperToad() {
    DesignCanvas c(124, 92);
    Leg(c, 12, 74, 14, Teal, Grip, 4);
    Leg(c, 86, 60, 9, Teal, Grip, 3);
    RimmedEllipse(c, 28, 66, 20, 16, Teal, Grip);
    RimmedEllipse(c, 60, 52, 46, 28, Teal, Fur);
    c.Ellipse(62, 66, 30, 10, SkyBlue); // belly
    Spots(c, {{44, 42, 6, 4}, {70, 36, 5, 3}, {30, 56, 4, 3}}, DeepTeal);
    RimmedEllipse(c, 96, 36, 24, 18, Teal, Fur);
    Eye(c, 104, 30, 4, 1);
    c.Line(106, 46, 121, 41, 2, Red); // mouth
    HitPoints(c, {{36, 27}, {62, 23}, {98, 18, 3, 1}});
    return c.ToPicture();
}

// A boar with a bristling mane, tusks and a curly tail.
gdi::Picture PaintBrushBoar() {
    DesignCanvas c(200, 124);
    c.Line(24, 52, 8, 40, 3, Fur); // tail
    Leg(c, 32, 80, 12, Orange, Grip);
    Leg(c, 60, 84, 12, Orange, Grip);
    Leg(c, 126, 84, 12, Orange, Grip);
    Leg(c, 150, 80, 12, Orange, Grip);
    RimmedEllipse(c, 95, 62, 72, 32, Orange, Fur, 3);
    c.Polygon({{46, 36}, {70, 22}, {95, 18}, {122, 22}, {146, 34}, {95, 36}}, FurDark); // mane
    Spots(c, {{70, 60, 8, 5}, {110, 70, 9, 5}, {90, 48, 5, 3}}, Umber);
    RimmedEllipse(c, 168, 66, 24, 22, Orange, Fur);
    c.Rect(184, 76, 196, 85, Orange);                   // jaw
    c.Rect(186, 64, 197, 77, Pink);                     // snout
    c.Polygon({{184, 80}, {194, 80}, {199, 68}}, Bone); // tusk
    Eye(c, 172, 58, 4, 1);
    c.Line(184, 84, 197, 82, 2, Red); // mouth
    Spike(c, 97, 19, 0, -7, 2);
    HitPoints(c, {{74, 22}, {120, 22}, {162, 45}});
    return c.ToPicture();
}

// A bloated beast that swells and sinks like a bellows.
gdi::Picture PaintBellowsBeast() {
    DesignCanvas c(250, 220);
    Legs(c, {50, 176}, 170, 22, Purple, Grip, 4);
    RimmedEllipse(c, 125, 110, 112, 84, Purple, Fur, 3);
    c.Ellipse(125, 140, 70, 42, Lilac); // belly
    for (int32_t i = 0; i < 4; ++i) Spot(c, 60 + 40 * i, 80 + (i % 2) * 14, 9, 5, DeepPurple);
    RimmedEllipse(c, 200, 50, 30, 24, Pink, Fur);
    Eye(c, 208, 44, 5, 1);
    Eye(c, 222, 50, 3, 1);
    c.Line(210, 64, 229, 60, 2, Red); // mouth
    Spike(c, 70, 33, 0, -9, 3);
    Spike(c, 150, 28, 0, -9, 3);
    HitPoints(c, {{14, 110, 2, 3}, {110, 26}, {192, 28}});
    return c.ToPicture();
}

} // namespace monster_gen
