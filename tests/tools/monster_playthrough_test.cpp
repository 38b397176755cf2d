// Each roster monster played to its defeat in a headless game: the man is put
// beside each hit point in turn and strikes with a full charge until the
// monster's 1200 hit points are gone; the defeat is then recorded.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/modMain.h"
#include "game/frmMain.h"
#include "gdi/picture.h"
#include "monsters/clsMonster.h"
#include "player/clsMan.h"
#include "support/game_world.h"
#include "tool_files.h"
#include "tools/monster_check/monster_check.h"
#include "tools/monster_gen/roster.h"

namespace {

namespace fs = std::filesystem;
using tool_files::Bytes;
using tool_files::MonstersFolder;

struct Strike {
    int32_t x = 0, y = 0;   // the man's cell, picture coordinates
    int32_t dx = 0, dy = 0; // the sword's direction
};

// A place the checker found the man can stand or hold on, from which a
// strike meets this patch's white before anything it cannot cut.
bool FindStrike(const gdi::Picture& picture, const monster_check::CheckResult& check,
                const monster_check::WhitePatch& patch, Strike& out) {
    const auto classAt = [&](int32_t x, int32_t y) {
        if (x < 0 || y < 0 || x >= picture.width || y >= picture.height)
            return monster_check::PixelClass::Empty;
        return monster_check::ClassifyPixel(
            picture.pixels[static_cast<size_t>(y) * picture.width + x]);
    };
    for (int32_t py = patch.top; py <= patch.bottom; ++py) {
        for (int32_t px = patch.left; px <= patch.right; ++px) {
            if (classAt(px, py) != monster_check::PixelClass::White) continue;
            for (int32_t dy = -1; dy <= 1; ++dy) {
                for (int32_t dx = -1; dx <= 1; ++dx) {
                    if (!dx && !dy) continue;
                    for (int32_t n = 1; n <= 3; ++n) {
                        const int32_t mx = px - n * dx, my = py - n * dy;
                        if (mx < 0 || my < 0 || mx >= picture.width || my >= picture.height) break;
                        if (!check.restMap[static_cast<size_t>(my) * picture.width + mx]) continue;
                        bool clear = true;
                        for (int32_t k = 1; k < n; ++k) {
                            const auto c = classAt(mx + k * dx, my + k * dy);
                            clear = clear && (c == monster_check::PixelClass::Empty ||
                                              c == monster_check::PixelClass::Fur);
                        }
                        if (clear) {
                            out = {mx, my, dx, dy};
                            return true;
                        }
                    }
                }
            }
        }
    }
    return false;
}

class MonsterPlaythrough : public testing::TestWithParam<size_t> {};

TEST_P(MonsterPlaythrough, FullChargeStrikesAtEachHitPointDefeatTheMonster) {
    const monster_gen::RosterEntry& entry = monster_gen::Roster()[GetParam()];
    SCOPED_TRACE(entry.fileName);
    const fs::path file = MonstersFolder() / entry.fileName;
    const gdi::Picture picture = gdi::LoadPicture(file.string());
    const monster_check::CheckResult check = monster_check::CheckMonster(entry.fileName, picture);
    ASSERT_EQ(check.patches.size(), 3u);

    GameWorld world;
    world.folder.Write("Monsters/" + entry.fileName, Bytes(file));
    world.Start();
    clsMonster& monster = world.monster();
    clsMan& man = world.man();
    ASSERT_EQ(monster.mFileName, entry.fileName);
    ASSERT_EQ(monster.mWidth, picture.width);
    ASSERT_EQ(monster.mHeight, picture.height);

    // At rest on the ground: the lowest picture row on world row 0.
    const double left = 200, top = 1 - picture.height;
    const auto worldX = [&](int32_t x) { return left + x; };
    const auto worldY = [&](int32_t y) { return top + y; };

    for (size_t k = 0; k < check.patches.size(); ++k) {
        SCOPED_TRACE("hit point " + std::to_string(k + 1));
        Strike s;
        ASSERT_TRUE(FindStrike(picture, check, check.patches[k], s));
        for (int strike = 0; strike < 4; ++strike) {
            world.PlaceMonster(left, top, 2);
            world.PlaceMan(worldX(s.x) + 0.5, worldY(s.y));
            ASSERT_EQ(world.game().GetColour(man.mX, man.mY), -2) << "the man is inside something";
            man.mSwordCounter = 100;
            man.mSwordX = s.dx;
            man.mSwordY = s.dy;
            man.SwordHit();
        }
        EXPECT_EQ(monster.mHitTotal, 1200 - 400 * static_cast<int32_t>(k + 1));
        if (k + 1 < check.patches.size()) {
            EXPECT_EQ(monster.mMonsterMoveIndex, static_cast<int32_t>(k + 2));
            EXPECT_EQ(monster.mHitPoint, 400);
            // Destroying this one leaves every later hit point white.
            for (size_t later = k + 1; later < check.patches.size(); ++later) {
                const monster_check::WhitePatch& p = check.patches[later];
                int32_t white = 0;
                for (int32_t y = p.top; y <= p.bottom; ++y)
                    for (int32_t x = p.left; x <= p.right; ++x)
                        white += monster.GetColour2(worldX(x), worldY(y)) == ColourWhite;
                EXPECT_EQ(white, p.pixels) << "hit point " << later + 1 << " was greened";
            }
        }
    }
    EXPECT_EQ(monster.mHitTotal, 0);
    EXPECT_EQ(monster.mState, 3);
    EXPECT_EQ(man.mState, 1);

    // Out of the way while it sinks; no F key anywhere.
    world.PlaceMan(left - 300, 0);
    ASSERT_TRUE(
        world.FrameUntil([&] { return MonsterHistory.at(0).Defeats == 1; }, picture.height + 400));
    EXPECT_EQ(man.mState, 1);
    EXPECT_EQ(MonstersLeft, 0);
}

INSTANTIATE_TEST_SUITE_P(Roster, MonsterPlaythrough,
                         testing::Range<size_t>(0, monster_gen::Roster().size()),
                         [](const testing::TestParamInfo<size_t>& info) {
                             // "3 Brush_Boar 5-21-24.gif" -> "Brush_Boar"
                             const std::string name = monster_gen::Roster()[info.param].fileName;
                             const size_t from = name.find(' ') + 1;
                             return name.substr(from, name.find(' ', from) - from);
                         });

} // namespace
