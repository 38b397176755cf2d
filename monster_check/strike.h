// Where the man can stand or hold on to stab a hit point with a full-charge
// strike, for tools and tests that play a monster to its defeat.
#pragma once

#include <cstdint>

#include "gdi/picture.h"
#include "monster_check/monster_check.h"

namespace monster_check {

struct StrikePlace {
    int32_t x = 0, y = 0;   // the man's cell, picture coordinates
    int32_t dx = 0, dy = 0; // the sword's direction
};

// A place the search found the man can rest at, from which a strike meets the
// patch's white before anything it cannot cut; false when there is none.
bool FindStrikePlace(const gdi::Picture& picture, const CheckResult& check, const WhitePatch& patch,
                     StrikePlace& out);

} // namespace monster_check
