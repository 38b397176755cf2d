// The committed roster: made by the generator byte for byte, every monster
// beatable by the checker, the movement families and sizes all present, and
// every colour painted in the class it was chosen for.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "gdi/picture.h"
#include "monster_check/monster_check.h"
#include "support/temp_dir.h"
#include "tool_files.h"
#include "tools/monster_gen/palette.h"
#include "tools/monster_gen/roster.h"

namespace {

namespace fs = std::filesystem;
using monster_check::PixelClass;
using tool_files::Bytes;
using tool_files::MonstersFolder;

TEST(MonsterRoster, GeneratorReproducesTheCommittedFilesByteForByte) {
    TempDir out;
    const std::vector<std::string> written = monster_gen::WriteRoster(out.str());
    ASSERT_EQ(written.size(), monster_gen::Roster().size());
    for (const monster_gen::RosterEntry& entry : monster_gen::Roster()) {
        const std::string fresh = Bytes(out.path() / entry.fileName);
        const std::string committed = Bytes(MonstersFolder() / entry.fileName);
        ASSERT_FALSE(committed.empty()) << entry.fileName << " is not committed";
        EXPECT_TRUE(fresh == committed) << entry.fileName << " differs from its generated form";
    }
}

TEST(MonsterRoster, EveryMonsterPassesTheChecker) {
    int32_t expectedId = 1;
    for (const monster_gen::RosterEntry& entry : monster_gen::Roster()) {
        SCOPED_TRACE(entry.fileName);
        const monster_check::CheckResult r =
            monster_check::CheckMonsterFile((MonstersFolder() / entry.fileName).string());
        ASSERT_TRUE(r.nameOk) << r.errorText;
        EXPECT_EQ(r.name.MonsterID, std::to_string(expectedId++));
        EXPECT_TRUE(r.beatable) << monster_check::FormatReport(r);
        EXPECT_EQ(r.patches.size(), 3u);
        EXPECT_EQ(r.groups, 3);
        EXPECT_EQ(r.reachableGroups, 3);
        EXPECT_TRUE(r.warnings.empty()) << monster_check::FormatReport(r);
        EXPECT_GT(r.counts.deadly, 0);
        EXPECT_GT(r.counts.fur, 0);
        EXPECT_GT(r.counts.grip, 0);
        EXPECT_GT(r.counts.solid, r.counts.fur + r.counts.grip) << "mostly body, not fur";
        EXPECT_FALSE(r.name.MonsterName.empty());
    }
}

TEST(MonsterRoster, CoversEveryMovementFamilyAndEverySize) {
    std::set<std::string> families;
    std::set<int32_t> codes;
    int32_t narrowest = 1 << 30, widest = 0, tallest = 0;
    uintmax_t bytes = 0;
    for (const monster_gen::RosterEntry& entry : monster_gen::Roster()) {
        const monster_check::CheckResult r =
            monster_check::CheckMonsterFile((MonstersFolder() / entry.fileName).string());
        for (int32_t code : r.name.MoveCode) {
            codes.insert(code);
            families.insert(monster_check::DescribeMoveCode(code));
        }
        narrowest = std::min(narrowest, r.width);
        widest = std::max(widest, r.width);
        tallest = std::max(tallest, r.height);
        bytes += fs::file_size(MonstersFolder() / entry.fileName);
    }
    EXPECT_GE(monster_gen::Roster().size(), 8u);
    for (const char* family : {"walks", "jumps", "walks and jumps"})
        EXPECT_TRUE(families.count(family)) << family;
    for (int32_t code : {30, 31, 40, 41, 42}) EXPECT_TRUE(codes.count(code)) << code;
    EXPECT_FALSE(families.count("no motion of its own"));
    EXPECT_LE(narrowest, 100);
    EXPECT_GE(widest, 900);
    EXPECT_GT(tallest, 600) << "one monster must drop in from above";
    EXPECT_LT(bytes, 3u * 1024 * 1024);
}

TEST(MonsterRoster, EveryColourIsInTheClassItWasChosenFor) {
    using namespace monster_gen::palette;
    const std::map<gdi::COLORREF, PixelClass> intended = {
        {0, PixelClass::Empty},        {Blue, PixelClass::Solid},
        {SkyBlue, PixelClass::Solid},  {Purple, PixelClass::Solid},
        {Lilac, PixelClass::Solid},    {Orange, PixelClass::Solid},
        {Pink, PixelClass::Solid},     {Teal, PixelClass::Solid},
        {Magenta, PixelClass::Solid},  {Bone, PixelClass::Solid},
        {DeepBlue, PixelClass::Empty}, {DeepPurple, PixelClass::Empty},
        {Umber, PixelClass::Empty},    {Plum, PixelClass::Empty},
        {DeepTeal, PixelClass::Empty}, {Pupil, PixelClass::Empty},
        {Fur, PixelClass::Fur},        {FurDark, PixelClass::Fur},
        {Grip, PixelClass::Grip},      {GripLight, PixelClass::Grip},
        {Red, PixelClass::Deadly},     {RedDim, PixelClass::Deadly},
        {White, PixelClass::White}};
    for (const auto& [colour, cls] : intended)
        EXPECT_EQ(monster_check::ClassifyPixel(colour), cls) << std::hex << colour;

    for (const monster_gen::RosterEntry& entry : monster_gen::Roster()) {
        const gdi::Picture picture = gdi::LoadPicture((MonstersFolder() / entry.fileName).string());
        std::set<gdi::COLORREF> used(picture.pixels.begin(), picture.pixels.end());
        for (gdi::COLORREF colour : used)
            EXPECT_TRUE(intended.count(colour))
                << entry.fileName << " uses the unplanned colour " << std::hex << colour;
        // Black is see-through: none of it may be shut inside the body, where it
        // would show as a hole. Flood the black from the picture's edges.
        const int32_t w = picture.width, h = picture.height;
        std::vector<uint8_t> open(picture.pixels.size(), 0);
        std::vector<int32_t> stack;
        for (int32_t i = 0; i < w * h; ++i) {
            const int32_t x = i % w, y = i / w;
            if ((x == 0 || y == 0 || x == w - 1 || y == h - 1) && picture.pixels[i] == 0) {
                open[i] = 1;
                stack.push_back(i);
            }
        }
        while (!stack.empty()) {
            const int32_t i = stack.back();
            stack.pop_back();
            const int32_t x = i % w, y = i / w;
            for (const auto& [nx, ny] : {std::pair{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}}) {
                if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                const int32_t n = ny * w + nx;
                if (!open[n] && picture.pixels[n] == 0) {
                    open[n] = 1;
                    stack.push_back(n);
                }
            }
        }
        int32_t shut = 0;
        for (size_t i = 0; i < picture.pixels.size(); ++i)
            shut += picture.pixels[i] == 0 && !open[i];
        EXPECT_EQ(shut, 0) << entry.fileName << " has black holes inside its body";

        // The picture's edge rows: the lowest row stands on the ground.
        bool feet = false;
        for (int32_t x = 0; x < picture.width; ++x)
            feet = feet ||
                   picture.pixels[static_cast<size_t>(picture.height - 1) * picture.width + x] != 0;
        EXPECT_TRUE(feet) << entry.fileName << " does not reach the ground";
    }
}

} // namespace
