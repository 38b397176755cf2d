// The monster checker on small pictures: names as the game reads them, pixel
// classes, hit points too close together, and what the man can and cannot reach.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "gdi/picture.h"
#include "monster_check/monster_check.h"
#include "support/temp_dir.h"

namespace {

using monster_check::CheckMonster;
using monster_check::CheckMonsterFile;
using monster_check::CheckResult;

constexpr gdi::COLORREF kBlue = gdi::RGB(70, 120, 230);    // solid only
constexpr gdi::COLORREF kGrip = gdi::RGB(150, 200, 60);    // yellow-green grip
constexpr gdi::COLORREF kFur = gdi::RGB(230, 230, 74);     // fur, also grip
constexpr gdi::COLORREF kHardFur = gdi::RGB(230, 225, 10); // fur, saturation too high to hold
constexpr gdi::COLORREF kRed = gdi::RGB(255, 6, 0);        // deadly
constexpr gdi::COLORREF kWhite = gdi::RGB(255, 255, 255);  // hit point
constexpr gdi::COLORREF kShade = gdi::RGB(30, 50, 130);    // too dark: empty

struct Sheet {
    gdi::Picture picture;
    Sheet(int32_t w, int32_t h) {
        picture.width = w;
        picture.height = h;
        picture.pixels.assign(static_cast<size_t>(w) * h, 0);
    }
    // Inclusive rectangle.
    Sheet& Fill(int32_t l, int32_t t, int32_t r, int32_t b, gdi::COLORREF c) {
        for (int32_t y = t; y <= b; ++y)
            std::fill_n(&picture.pixels[static_cast<size_t>(y) * picture.width + l], r - l + 1, c);
        return *this;
    }
    int32_t Bottom() const { return picture.height - 1; }
};

// Three 3 x 2 white patches on the ground, 30 apart: a monster beatable from the
// ground alone.
Sheet ThreeOnTheGround() {
    Sheet s(90, 40);
    for (int32_t x : {10, 40, 70}) s.Fill(x, s.Bottom() - 1, x + 2, s.Bottom(), kWhite);
    return s;
}

TEST(MonsterCheckName, ReadsIdNameCodesAndFlyingWithTheGamesGrammar) {
    const CheckResult crab = CheckMonster("3 Giant_Crab 12-20-31.gif", ThreeOnTheGround().picture);
    ASSERT_TRUE(crab.nameOk);
    EXPECT_EQ(crab.name.MonsterID, "3");
    EXPECT_EQ(crab.name.MonsterName, "Giant Crab");
    EXPECT_EQ(crab.name.MoveCode, (std::array<int32_t, 3>{12, 20, 31}));
    EXPECT_FALSE(crab.name.Flying);
    EXPECT_TRUE(crab.beatable);
    const std::string report = monster_check::FormatReport(crab);
    EXPECT_NE(report.find("ID 3, name \"Giant Crab\", codes 12-20-31, does not fly"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("verdict: beatable"), std::string::npos);

    const CheckResult bat = CheckMonster("5 Bat 41-40.gif", ThreeOnTheGround().picture);
    ASSERT_TRUE(bat.nameOk);
    EXPECT_TRUE(bat.name.Flying);
    EXPECT_NE(monster_check::FormatReport(bat).find("flies"), std::string::npos);
}

TEST(MonsterCheckName, EmptyBaseIsTheGamesFirstErrorAndCannotBeBeaten) {
    const CheckResult r = CheckMonster(".gif", ThreeOnTheGround().picture);
    EXPECT_FALSE(r.nameOk);
    EXPECT_EQ(r.errorNumber, static_cast<int32_t>(0x8004000Au));
    EXPECT_EQ(r.errorText, "Filename '.gif' retrieved from /Monsters folder makes no sense.");
    EXPECT_FALSE(r.beatable);
    const std::string report = monster_check::FormatReport(r);
    EXPECT_NE(report.find("NAME ERROR &H8004000A: Filename '.gif' retrieved"), std::string::npos)
        << report;
    EXPECT_NE(report.find("CANNOT BE BEATEN"), std::string::npos);
}

TEST(MonsterCheckName, EmptyMovementPortionIsTheGamesSecondError) {
    const CheckResult r = CheckMonster("3 Crab  .gif", ThreeOnTheGround().picture);
    EXPECT_FALSE(r.nameOk);
    EXPECT_EQ(r.errorNumber, static_cast<int32_t>(0x8004000Au));
    EXPECT_EQ(r.errorText, "Movement portion of Filename '3 Crab  .gif' retrieved from "
                           "/Monsters folder makes no sense.");
    EXPECT_FALSE(r.beatable);
}

TEST(MonsterCheckName, FileOnDiskIsReadUnderItsOwnNameAndAMissingOneFails) {
    TempDir dir;
    const std::string path = (dir.path() / "7 Hill_Imp 2-11-20.gif").string();
    gdi::SavePictureGif(path, ThreeOnTheGround().picture);
    const CheckResult r = CheckMonsterFile(path);
    EXPECT_EQ(r.name.MonsterName, "Hill Imp");
    EXPECT_EQ(r.width, 90);
    EXPECT_TRUE(r.beatable);

    const CheckResult missing = CheckMonsterFile((dir.path() / "8 Ghost 1.gif").string());
    EXPECT_TRUE(missing.nameOk);
    EXPECT_FALSE(missing.beatable);
    ASSERT_FALSE(missing.warnings.empty());
    EXPECT_NE(missing.warnings[0].find("picture not loaded"), std::string::npos);
    // Nothing is said about pixels that were never read.
    const std::string report = monster_check::FormatReport(missing);
    EXPECT_NE(report.find("CANNOT BE BEATEN (the game stops at a picture it cannot load)"),
              std::string::npos)
        << report;
    EXPECT_EQ(report.find("white"), std::string::npos) << report;
}

TEST(MonsterCheckPixels, CountsEveryClass) {
    Sheet s(20, 10);
    s.Fill(0, 0, 9, 0, kBlue);    // 10 solid
    s.Fill(0, 1, 4, 1, kGrip);    // 5 grip
    s.Fill(0, 2, 3, 2, kFur);     // 4 fur, held on to
    s.Fill(4, 2, 5, 2, kHardFur); // 2 fur, not held on to
    s.Fill(0, 3, 2, 3, kRed);     // 3 deadly
    s.Fill(0, 4, 1, 4, kWhite);   // 2 white
    s.Fill(0, 5, 6, 5, kShade);   // 7 dark: empty like black
    const CheckResult r = CheckMonster("1 Test 1.gif", s.picture);
    EXPECT_EQ(r.counts.solid, 10);
    EXPECT_EQ(r.counts.grip, 5);
    EXPECT_EQ(r.counts.fur, 6);
    EXPECT_EQ(r.counts.furNotGrip, 2);
    EXPECT_EQ(r.counts.deadly, 3);
    EXPECT_EQ(r.counts.white, 2);
    EXPECT_EQ(r.counts.empty, 200 - 10 - 5 - 6 - 3 - 2);
    EXPECT_TRUE(std::any_of(r.warnings.begin(), r.warnings.end(), [](const std::string& w) {
        return w.find("2 fur pixels cannot be held on to") != std::string::npos;
    }));
    // Dark shading well below the line raises nothing; a colour at the very
    // edge of the deadly band does.
    EXPECT_FALSE(std::any_of(r.warnings.begin(), r.warnings.end(), [](const std::string& w) {
        return w.find("edge of another class") != std::string::npos;
    }));
    Sheet edge = ThreeOnTheGround();
    edge.Fill(0, 0, 0, 0, gdi::RGB(240, 3, 0));   // hue 0.0021: still deadly, barely
    edge.Fill(1, 0, 1, 0, gdi::RGB(166, 60, 60)); // value 0.651: barely solid
    const CheckResult e = CheckMonster("1 Edge 1.gif", edge.picture);
    EXPECT_EQ(std::count_if(e.warnings.begin(), e.warnings.end(),
                            [](const std::string& w) {
                                return w.find("edge of another class") != std::string::npos;
                            }),
              1);
    EXPECT_TRUE(std::any_of(e.warnings.begin(), e.warnings.end(), [](const std::string& w) {
        return w == "colour RGB(166, 60, 60) (solid) lies on the edge of another class";
    }));
    // Pure red is deadly, but a touch of blue takes its hue to the far end of
    // the circle, out of the deadly band.
    Sheet pure = ThreeOnTheGround();
    pure.Fill(0, 0, 0, 0, gdi::RGB(255, 0, 0));
    EXPECT_EQ(monster_check::ClassifyPixel(gdi::RGB(255, 0, 0)), monster_check::PixelClass::Deadly);
    EXPECT_EQ(monster_check::ClassifyPixel(gdi::RGB(255, 0, 2)), monster_check::PixelClass::Solid);
    EXPECT_EQ(CheckMonster("1 Edge 1.gif", pure.picture).warnings.size(), 1u);

    // Classes at their edges: value 0.65 is the line between body and shade.
    EXPECT_EQ(monster_check::ClassifyPixel(gdi::RGB(170, 20, 20)),
              monster_check::PixelClass::Solid);
    EXPECT_EQ(monster_check::ClassifyPixel(gdi::RGB(160, 160, 160)),
              monster_check::PixelClass::Empty);
    EXPECT_EQ(monster_check::ClassifyPixel(0), monster_check::PixelClass::Empty);
    EXPECT_EQ(monster_check::ClassifyPixel(gdi::RGB(148, 190, 57)),
              monster_check::PixelClass::Grip);
}

TEST(MonsterCheckHitPoints, PatchesWithinTheGreenRadiusCountAsOne) {
    // Two patches 10 apart and one far away: only two separate hit points.
    Sheet close(90, 40);
    close.Fill(10, 38, 12, 39, kWhite).Fill(23, 38, 25, 39, kWhite).Fill(70, 38, 72, 39, kWhite);
    const CheckResult r = CheckMonster("1 Pair 1.gif", close.picture);
    ASSERT_EQ(r.patches.size(), 3u);
    EXPECT_EQ(r.groups, 2);
    EXPECT_EQ(r.patches[0].group, r.patches[1].group);
    EXPECT_FALSE(r.beatable);
    EXPECT_TRUE(std::any_of(r.warnings.begin(), r.warnings.end(), [](const std::string& w) {
        return w.find("only 2 hit points lie far enough apart") != std::string::npos;
    }));

    // The bound: 15 cells between pixels still share; 16 apart are separate.
    Sheet edge(90, 40);
    edge.Fill(10, 39, 10, 39, kWhite).Fill(25, 39, 25, 39, kWhite).Fill(41, 39, 41, 39, kWhite);
    const CheckResult e = CheckMonster("1 Edge 1.gif", edge.picture);
    ASSERT_EQ(e.patches.size(), 3u);
    EXPECT_NE(monster_check::FormatReport(e).find("3 white patches in 2 separate places"),
              std::string::npos);
    EXPECT_EQ(e.patches[0].group, e.patches[1].group);
    EXPECT_NE(e.patches[1].group, e.patches[2].group);
    EXPECT_EQ(e.groups, 2);

    // Diagonal neighbours belong to one patch.
    Sheet diagonal(20, 10);
    diagonal.Fill(2, 2, 2, 2, kWhite).Fill(3, 3, 3, 3, kWhite);
    EXPECT_EQ(CheckMonster("1 D 1.gif", diagonal.picture).patches.size(), 1u);
}

// A hit point on the ground between two walls 30 rows high: twice the jump.
Sheet Walled(gdi::COLORREF wall) {
    Sheet s = ThreeOnTheGround();
    s.Fill(35, 9, 37, s.Bottom(), wall).Fill(45, 9, 47, s.Bottom(), wall);
    return s;
}

TEST(MonsterCheckReach, AHitPointBehindAWallOfRedIsOutOfReach) {
    const CheckResult red = CheckMonster("1 Fort 1.gif", Walled(kRed).picture);
    ASSERT_EQ(red.patches.size(), 3u);
    EXPECT_TRUE(red.patches[0].reachable);
    EXPECT_FALSE(red.patches[1].reachable);
    EXPECT_TRUE(red.patches[2].reachable);
    EXPECT_EQ(red.reachableGroups, 2);
    EXPECT_FALSE(red.beatable);
    EXPECT_NE(monster_check::FormatReport(red).find("#2 at 40,38 (3 x 2, 6 pixels), place 2: "
                                                    "OUT OF REACH"),
              std::string::npos)
        << monster_check::FormatReport(red);

    // Walls of grip are climbed over.
    EXPECT_TRUE(CheckMonster("1 Fort 1.gif", Walled(kGrip).picture).beatable);

    // A low red wall is jumped over: the jump clears about 15 rows.
    Sheet low = ThreeOnTheGround();
    low.Fill(35, 30, 37, low.Bottom(), kRed).Fill(45, 30, 47, low.Bottom(), kRed);
    EXPECT_TRUE(CheckMonster("1 Fort 1.gif", low.picture).beatable);
    // ... but not one a little higher than the jump.
    Sheet high = ThreeOnTheGround();
    high.Fill(35, 22, 37, high.Bottom(), kRed).Fill(45, 22, 47, high.Bottom(), kRed);
    EXPECT_FALSE(CheckMonster("1 Fort 1.gif", high.picture).beatable);
}

// Two hit points on the ground and one on top of a tower 40 rows high.
Sheet Tower(gdi::COLORREF side) {
    Sheet s(90, 60);
    s.Fill(10, 58, 12, 59, kWhite).Fill(70, 58, 72, 59, kWhite);
    s.Fill(38, 20, 48, 59, kBlue);
    s.Fill(41, 18, 44, 19, kWhite);
    if (side != kBlue) s.Fill(37, 20, 37, 59, side);
    return s;
}

TEST(MonsterCheckReach, AHitPointOnATowerIsReachedOnlyByClimbingGrip) {
    const CheckResult bare = CheckMonster("2 Tower 1.gif", Tower(kBlue).picture);
    ASSERT_EQ(bare.patches.size(), 3u);
    EXPECT_FALSE(bare.patches[0].reachable); // the tower top comes first in reading order
    EXPECT_FALSE(bare.beatable);

    const CheckResult grip = CheckMonster("2 Tower 1.gif", Tower(kGrip).picture);
    EXPECT_TRUE(grip.patches[0].reachable);
    EXPECT_TRUE(grip.beatable);

    EXPECT_TRUE(CheckMonster("2 Tower 1.gif", Tower(kFur).picture).beatable);
    // Fur too saturated to hold on to is no way up.
    EXPECT_FALSE(CheckMonster("2 Tower 1.gif", Tower(kHardFur).picture).beatable);

    // A small red spot across the grip stripe is jumped around from the hold...
    Sheet spot = Tower(kGrip);
    spot.Fill(35, 40, 37, 42, kRed);
    EXPECT_TRUE(CheckMonster("2 Tower 1.gif", spot.picture).beatable);
    // ... a red band taller than a jump cuts the climb.
    Sheet cut = Tower(kGrip);
    cut.Fill(35, 30, 37, 50, kRed);
    const CheckResult cutResult = CheckMonster("2 Tower 1.gif", cut.picture);
    EXPECT_FALSE(cutResult.beatable) << monster_check::TextMap(cut.picture, cutResult);
    EXPECT_FALSE(CheckMonster("2 Tower 1.gif", cut.picture).restMap.empty());
}

TEST(MonsterCheckReach, StrikesFindWhiteUpToThreeCellsOnThroughAnything) {
    // Each hit point under a roof two rows thick, the man below it on the ground.
    Sheet s(90, 40);
    for (int32_t x : {10, 40, 70}) s.Fill(x, 30, x + 2, 31, kWhite);
    s.Fill(5, 32, 85, 33, kFur);  // fur under the hit points: cut through
    s.Fill(5, 34, 85, 35, kBlue); // a ceiling the man cannot pass up through
    // Pillars keep the ceiling off the ground.
    s.Fill(5, 36, 6, 39, kBlue).Fill(84, 36, 85, 39, kBlue);
    const CheckResult fur = CheckMonster("1 Roof 1.gif", s.picture);
    // From below the blue blocks; from above the hit points sit on the roof.
    EXPECT_TRUE(fur.beatable);

    Sheet buried(90, 40);
    for (int32_t x : {10, 40, 70}) buried.Fill(x, 36, x + 2, 37, kWhite);
    buried.Fill(5, 32, 85, 35, kBlue); // solid above
    buried.Fill(5, 38, 85, 39, kBlue); // and below
    buried.Fill(5, 36, 8, 37, kBlue).Fill(82, 36, 85, 37, kBlue);
    buried.Fill(13, 36, 39, 37, kBlue).Fill(43, 36, 69, 37, kBlue);
    EXPECT_FALSE(CheckMonster("1 Buried 1.gif", buried.picture).beatable);

    // The sword looks past body it cannot cut: a wall one pixel thin does not
    // shield the hit point behind it, one three pixels thick does.
    Sheet thin = ThreeOnTheGround();
    thin.Fill(39, 9, 39, thin.Bottom(), kBlue).Fill(43, 9, 43, thin.Bottom(), kBlue);
    const CheckResult thinResult = CheckMonster("1 Fort 1.gif", thin.picture);
    EXPECT_TRUE(thinResult.patches[1].reachable)
        << monster_check::TextMap(thin.picture, thinResult);
    EXPECT_TRUE(thinResult.beatable);
    EXPECT_FALSE(CheckMonster("1 Fort 1.gif", Walled(kBlue).picture).beatable);
}

// What the game cannot play at all, apart from what only the reach search
// doubts: a moving monster may bring a hit point within reach.
TEST(MonsterCheckPlayable, OnlyANameThePictureAndWhiteAreNeeded) {
    TempDir dir;
    const std::string saved = (dir.path() / "1 Fort 1.gif").string();
    gdi::SavePictureGif(saved, Walled(kRed).picture);
    const std::string broken = (dir.path() / "2 Newt 1.gif").string();
    gdi::SavePictureGif(broken, ThreeOnTheGround().picture);
    std::filesystem::resize_file(broken, 20);
    Sheet plain(20, 10);
    plain.Fill(0, 0, 19, 9, kBlue);
    struct Case {
        const char* what;
        CheckResult result;
        bool playable, beatable;
    } cases[] = {
        {"beatable", CheckMonster("1 Crab 1.gif", ThreeOnTheGround().picture), true, true},
        {"a hit point out of reach", CheckMonsterFile(saved), true, false},
        {"no white", CheckMonster("1 Crab 1.gif", plain.picture), false, false},
        {"a name the game cannot read", CheckMonster(".gif", ThreeOnTheGround().picture), false,
         false},
        {"a picture cut short", CheckMonsterFile(broken), false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(monster_check::Playable(c.result), c.playable) << c.what;
        EXPECT_EQ(c.result.beatable, c.beatable) << c.what;
    }
}

TEST(MonsterCheckPreview, PaintsClassesAndMarksUnreachableHitPoints) {
    const Sheet s = Walled(kRed);
    const CheckResult r = CheckMonster("1 Fort 1.gif", s.picture);
    const gdi::Picture preview = monster_check::PreviewPicture(s.picture, r);
    ASSERT_EQ(preview.width, s.picture.width);
    const auto at = [&](int32_t x, int32_t y) { return preview.pixels[y * preview.width + x]; };
    EXPECT_EQ(at(36, 20), gdi::RGB(255, 0, 0));
    EXPECT_EQ(at(10, 39), gdi::RGB(255, 255, 255)); // reachable white stays white
    EXPECT_EQ(at(40, 39), gdi::RGB(255, 0, 255));   // out of reach: magenta
    EXPECT_EQ(at(5, 39), gdi::RGB(0, 110, 130));    // the man can stand here
    EXPECT_EQ(at(40, 5), 0u);                       // empty sky above the fort
    const std::string map = monster_check::TextMap(s.picture, r);
    EXPECT_EQ(map.substr(39 * 91 + 34, 6), "oXXX..");
}

} // namespace
