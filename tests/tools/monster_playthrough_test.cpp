// Each roster monster played to its defeat in a headless game: the man is put
// beside each hit point in turn and strikes with a full charge until the
// monster's 1200 hit points are gone; the defeat is then recorded.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/modMain.h"
#include "game/frmMain.h"
#include "gdi/picture.h"
#include "history/history.h"
#include "monster_check/monster_check.h"
#include "monster_check/strike.h"
#include "monsters/clsMonster.h"
#include "player/clsMan.h"
#include "support/game_world.h"
#include "tool_files.h"
#include "tools/monster_gen/roster.h"

namespace {

namespace fs = std::filesystem;
using tool_files::Bytes;
using tool_files::MonstersFolder;

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
        monster_check::StrikePlace s;
        ASSERT_TRUE(monster_check::FindStrikePlace(picture, check, check.patches[k], s));
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
