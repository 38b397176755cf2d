// What a monster picture means to the man, worked out before anyone plays it:
// its name read with the game's grammar, its pixels sorted into the classes the
// man sees, its white hit points, and which of them a careful player can reach
// and strike with the monster standing still on the ground.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "gdi/picture.h"
#include "monsters/monster_name.h"

namespace monster_check {

// How the man sees one picture pixel. Empty covers black (transparent) and
// every colour too dark to count as body.
enum class PixelClass : uint8_t { Empty, Solid, Grip, Fur, Deadly, White };
constexpr size_t kPixelClassCount = 6;

PixelClass ClassifyPixel(uint32_t colour);
const char* ClassName(PixelClass value);

struct PixelCounts {
    int64_t solid = 0, grip = 0, fur = 0, deadly = 0, white = 0, empty = 0;
    int64_t furNotGrip = 0; // fur the man cannot hold on to
};

// One 8-connected patch of pure white.
struct WhitePatch {
    int32_t left = 0, top = 0, right = 0, bottom = 0; // picture pixels, inclusive
    int32_t pixels = 0;
    int32_t group = 0;      // patches closer than kSeparation share a group
    bool reachable = false; // a full-charge strike from a reachable place hits it
};

// A destroyed hit point greens the white within 12 cells of the man, who
// strikes from up to 3 cells away: patches closer than this go together.
constexpr int32_t kGreenRadius = 12;
constexpr int32_t kSwordReach = 3;
constexpr int32_t kSeparation = kGreenRadius + kSwordReach;
// Hit points needed: 1200 hit points in stages of 400.
constexpr int32_t kHitPointsNeeded = 3;

struct CheckResult {
    std::string fileName;
    bool nameOk = false;
    MonsterName name;
    int32_t errorNumber = 0;
    std::string errorText;

    std::string loadError; // why the picture could not be read; empty when it was
    int32_t width = 0, height = 0;
    PixelCounts counts;
    std::vector<WhitePatch> patches;
    int32_t groups = 0;          // separate hit points
    int32_t reachableGroups = 0; // separate hit points a strike can reach
    std::vector<std::string> warnings;
    // Rest places found by the search, picture coordinates, for the preview.
    std::vector<uint8_t> restMap; // width * height, 1 where the man can rest
    bool beatable = false;
};

// Checks one picture under the given file name (folder already stripped).
CheckResult CheckMonster(const std::string& fileName, const gdi::Picture& picture);
// Loads and checks a file; a picture that cannot be loaded is reported as such.
CheckResult CheckMonsterFile(const std::string& path);
// Checks the bytes of a picture file as CheckMonsterFile checks the file (a
// file dropped on the browser build's page comes as bytes).
CheckResult CheckMonsterBytes(const std::string& fileName, const uint8_t* data, size_t size);

// Whether the game can play the picture at all: its name reads, the picture
// loads and it holds white to strike. A playable monster may still be beyond
// a player (see beatable): the reach search takes it standing still.
bool Playable(const CheckResult& result);

// The human-readable report of one result.
std::string FormatReport(const CheckResult& result);

// The classes as text, one character a pixel: '.' empty, 'o' empty where the
// man can stand or hold on, '#' solid, 'g' grip, 'f' fur, 'X' deadly, 'W' white.
std::string TextMap(const gdi::Picture& picture, const CheckResult& result);

// The classes painted in distinct colours, with the man's rest places marked.
gdi::Picture PreviewPicture(const gdi::Picture& picture, const CheckResult& result);

// A number with its noun: "1 white patch", "3 white patches".
std::string CountOf(int64_t n, const char* one, const char* many);

// Movement family of a code, in words ("walks", "jumps", ...).
std::string DescribeMoveCode(int32_t code);

} // namespace monster_check
