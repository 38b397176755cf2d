// The places a careful man can get to on a monster standing still on the
// ground, and the white pixels his full-charge strikes can hit from there.
#pragma once

#include <cstdint>
#include <vector>

namespace monster_check {

// Per picture pixel, as the man sees it.
enum CellFlag : uint8_t {
    kBlocked = 1, // solid: anything the monster reports as a colour
    kDeadly = 2,
    kGrip = 4,
    kFur = 8, // cut by the sword
    kWhite = 16,
};

// Movement limits, from the man's physics: a jump starts at -0.9 and each frame
// is damped by 0.99 before gravity 0.02 is added, so it tops out 15.4 rows up;
// a grab needs the speed above -0.5, reached after 10.3 rows. The sideways
// speed builds from 0.1 a frame, so the first rows of a jump go straight up.
constexpr int32_t kJumpRows = 15;
constexpr int32_t kStraightJumpRows = 4;
constexpr int32_t kGrabAfterRows = 11;
constexpr int32_t kStrikeReach = 3;

struct ReachResult {
    std::vector<uint8_t> rest;   // width * height: 1 where the man can stand or hold on
    std::vector<uint8_t> struck; // width * height: 1 on white a strike can hit
};

// flags: width * height, row-major; the lowest picture row stands on the ground.
ReachResult SearchReach(int32_t width, int32_t height, const std::vector<uint8_t>& flags);

} // namespace monster_check
