// A scene for the game's sounds: fur and a hit point beside the man, struck.
#pragma once

#include <cstdint>

#include "support/game_world.h"

// A still scene right of the man, its lower row on his: yellow fur, then a
// white hit point. Charges the sword, strikes right, runs a few frames;
// returns the game's checksum then.
uint64_t StrikeIntoFur(GameWorld& world);
// The shipped Sounds/ into the world's program folder.
void CopySounds(GameWorld& world);
