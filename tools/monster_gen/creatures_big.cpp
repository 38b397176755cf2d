// The last four: flyers, a very long wyrm and a giant that drops in from above.
#include "tools/monster_gen/creatures.h"
#include "tools/monster_gen/palette.h"
#include "tools/monster_gen/parts.h"

namespace monster_gen {

using namespace palette;

// A moth on broad wings, legs dangling.
gdi::Picture PaintGlideMoth() {
    DesignCanvas c(280, 160);
    RimmedEllipse(c, 95, 108, 40, 26, Pink, Fur);
    RimmedEllipse(c, 185, 108, 40, 26, Pink, Fur);
    RimmedEllipse(c, 70, 60, 62, 40, Lilac, Fur, 3);
    RimmedEllipse(c, 210, 60, 62, 40, Lilac, Fur, 3);
    for (int32_t side = -1; side <= 1; side += 2) {
        Spot(c, 140 + side * 80, 56, 14, 10, DeepPurple);
        c.Ellipse(140 + side * 80, 56, 7, 5, Magenta);
        Spot(c, 140 + side * 45, 110, 8, 6, Plum);
    }
    Legs(c, {126, 148}, 118, 6, Blue, Grip, 1);
    RimmedEllipse(c, 140, 80, 18, 60, Blue, Grip);
    for (int32_t y = 40; y < 140; y += 16) c.Rect(126, y, 154, y + 2, DeepBlue);
    c.Line(134, 8, 116, 2, 2, Fur); // antennae
    c.Line(146, 8, 164, 2, 2, Fur);
    RimmedEllipse(c, 140, 17, 14, 12, Blue, Grip);
    Eye(c, 133, 16, 4, -1);
    Eye(c, 147, 16, 4, 1);
    HitPoints(c, {{60, 20}, {220, 20}, {140, 4, 3, 1}});
    return c.ToPicture();
}

// A wyrm of many segments and many legs, nearly a screen long.
gdi::Picture PaintLongWyrm() {
    DesignCanvas c(940, 120);
    for (int32_t x = 60; x <= 840; x += 52) {
        Legs(c, {x - 14, x + 8}, 84, 7, Blue, Grip, 1);
    }
    // The tail sweeps down to the ground, a furry way up; its stinger waits
    // for careless climbers.
    c.Polygon({{0, 119}, {12, 119}, {46, 72}, {30, 58}}, Fur);
    RimmedEllipse(c, 40, 64, 16, 14, Teal, Fur);
    Spike(c, 22, 84, -8, -4, 3);
    for (int32_t i = 0, x = 60; x <= 840; x += 52, ++i) {
        RimmedEllipse(c, x, 60, 32, 30, i % 2 ? Teal : Blue, Fur);
        Spot(c, x, 66, 12, 6, i % 2 ? DeepTeal : DeepBlue);
    }
    RimmedEllipse(c, 896, 58, 34, 30, Magenta, Fur);
    c.Polygon({{916, 68}, {939, 78}, {916, 86}}, Red); // mandibles
    c.Polygon({{924, 44}, {939, 38}, {926, 54}}, Red);
    Eye(c, 908, 50, 5, 1);
    Spike(c, 372, 28, 0, -8, 3);
    Spike(c, 632, 28, 0, -8, 3);
    HitPoints(c, {{164, 30}, {476, 30}, {886, 30}});
    return c.ToPicture();
}

// A ray on wide fins with a barbed tail to the ground.
gdi::Picture PaintStormRay() {
    DesignCanvas c(360, 190);
    Leg(c, 172, 130, 16, Teal, Grip, 0); // tail
    Spike(c, 172, 170, -10, 4, 3);
    c.Polygon({{0, 92}, {180, 8}, {359, 92}, {180, 150}}, Fur);
    c.Polygon({{8, 92}, {180, 14}, {351, 92}, {180, 144}}, Teal);
    c.Polygon({{60, 96}, {180, 60}, {300, 96}, {180, 130}}, SkyBlue); // underside
    for (int32_t side = -1; side <= 1; side += 2) {
        Spot(c, 180 + side * 90, 86, 14, 6, DeepTeal);
        c.Polygon({{180 + side * 20, 20}, {180 + side * 44, 2}, {180 + side * 40, 34}}, Fur);
    }
    Eye(c, 160, 48, 5, -1);
    Eye(c, 200, 48, 5, 1);
    HitPoints(c, {{60, 66}, {300, 66}, {180, 11, 3, 1}});
    return c.ToPicture();
}

// A giant with banded legs, heavy shoulders and horns.
gdi::Picture PaintColossus() {
    DesignCanvas c(320, 660, Scale{2, 1, 1, 1}); // a giant: twice as wide, full height
    constexpr int32_t legTop = 380;
    for (int32_t left : {90, 186}) {
        Leg(c, left, legTop, 44, Blue, Grip, 8);
        for (int32_t y = 600; y > legTop + 20; y -= 52) Band(c, left - 4, left + 47, y, 4, FurDark);
    }
    // Arms hang beside the body, hands low enough to climb from the ground.
    for (int32_t x : {14, 276}) {
        c.Rect(x, 170, x + 29, 460, Grip);
        c.Rect(x + 2, 170, x + 27, 460, Purple);
        for (int32_t y = 240; y < 460; y += 52) Band(c, x - 4, x + 33, y, 4, FurDark);
        RimmedEllipse(c, x + 15, 476, 16, 14, Orange, Fur);
    }
    RimmedEllipse(c, 160, 380, 100, 40, Purple, Fur, 3);
    RimmedEllipse(c, 160, 250, 106, 110, Blue, Fur, 3);
    Spots(c, {{120, 230, 24, 14}, {200, 230, 24, 14}, {160, 300, 16, 30}}, DeepBlue);
    RimmedEllipse(c, 50, 170, 40, 28, Purple, Fur, 3);
    RimmedEllipse(c, 270, 170, 40, 28, Purple, Fur, 3);
    // Horns, furred at the edges so that the climb over them holds.
    c.Line(134, 40, 112, 4, 9, Fur);
    c.Line(186, 40, 208, 4, 9, Fur);
    c.Line(134, 40, 112, 4, 3, Bone);
    c.Line(186, 40, 208, 4, 3, Bone);
    RimmedEllipse(c, 160, 82, 48, 56, Pink, Fur, 3);
    Eye(c, 142, 76, 7, 0);
    Eye(c, 178, 76, 7, 0);
    c.Rect(138, 108, 182, 113, Red); // mouth
    Spike(c, 36, 144, 0, -10, 4);
    Spike(c, 284, 144, 0, -10, 4);
    HitPoints(c, {{89, 520, 2, 4}, {262, 142}, {160, 25}});
    return c.ToPicture();
}

} // namespace monster_gen
