// Worlds for the man's tests: a block monster parked far away, or a floating
// platform (a flying monster without a pattern) near the man.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "monsters/clsMonster.h"
#include "player/clsMan.h"
#include "scenery/clsParticles.h"
#include "support/game_world.h"

// One code-0 monster, standing on the ground far to the right of the man.
inline void StartWithMonsterAway(GameWorld& world) {
    world.AddMonster("3 Block.gif", {"SSSS", "SSSS"});
    world.Start();
    world.PlaceMonster(5000, -1, 2);
}

// A flying monster without a movement pattern (code 43) holds still wherever
// it is put, so its picture serves as a scene of platforms and walls.
inline void StartWithScene(GameWorld& world, const std::vector<std::string>& rows, double x,
                           double y) {
    world.AddMonster("5 Scene 43.gif", rows);
    world.Start();
    world.PlaceMonster(x, y, 2);
}

// Live particles of one colour in the ring.
inline int CountParticles(GameWorld& world, int32_t colour) {
    int count = 0;
    for (int i = 1; i <= 400; ++i) {
        const Particle& p = world.particles().Slot(i);
        if (p.Alive && p.Colour == colour) ++count;
    }
    return count;
}
