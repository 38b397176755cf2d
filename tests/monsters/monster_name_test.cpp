// The file-name grammar: ID, display name and movement codes.
#include <gtest/gtest.h>

#include "monsters/monster_name.h"
#include "vb/runtime_error.h"

namespace {

void ExpectCodes(const MonsterName& name, int32_t a, int32_t b, int32_t c) {
    EXPECT_EQ(name.MoveCode[0], a);
    EXPECT_EQ(name.MoveCode[1], b);
    EXPECT_EQ(name.MoveCode[2], c);
}

// The error a bad name raises: number and text.
vb::RuntimeError ErrorOf(const std::string& fileName) {
    try {
        ParseMonsterFileName(fileName);
    } catch (const vb::RuntimeError& error) {
        return error;
    }
    ADD_FAILURE() << "no error for " << fileName;
    return vb::RuntimeError(0, "");
}

} // namespace

TEST(MonsterName, ThreeFieldsWithUnderscoresAndCodes) {
    const MonsterName name = ParseMonsterFileName("3 Giant_Crab 12-20-31.gif");
    EXPECT_EQ(name.MonsterID, "3");
    EXPECT_EQ(name.MonsterName, "Giant Crab");
    ExpectCodes(name, 12, 20, 31);
    EXPECT_FALSE(name.Flying);
}

TEST(MonsterName, IdOnlyIsAlsoTheName) {
    const MonsterName name = ParseMonsterFileName("7.gif");
    EXPECT_EQ(name.MonsterID, "7");
    EXPECT_EQ(name.MonsterName, "7");
    ExpectCodes(name, 0, 0, 0);
}

TEST(MonsterName, TheBaseEndsAtTheLastDotAndCodesRoundHalfToEven) {
    const MonsterName name = ParseMonsterFileName("2 Imp 12.5-3.gif");
    EXPECT_EQ(name.MonsterName, "Imp");
    ExpectCodes(name, 12, 3, 0);
    ExpectCodes(ParseMonsterFileName("2 Imp 13.5.gif"), 14, 0, 0);
}

TEST(MonsterName, OnlyTheFirstCodeMakesAFlyer) {
    EXPECT_TRUE(ParseMonsterFileName("5 Bat 41-40.gif").Flying);
    EXPECT_FALSE(ParseMonsterFileName("5 Bat 12-41.gif").Flying);
    EXPECT_TRUE(ParseMonsterFileName("5 Bat 49.gif").Flying);
    EXPECT_FALSE(ParseMonsterFileName("5 Bat 50.gif").Flying);
    EXPECT_FALSE(ParseMonsterFileName("5 Bat 39.gif").Flying);
}

TEST(MonsterName, TwoSpacesGiveAnEmptyName) {
    const MonsterName name = ParseMonsterFileName("3  Crab 12.gif");
    EXPECT_EQ(name.MonsterID, "3");
    EXPECT_EQ(name.MonsterName, "");
    ExpectCodes(name, 0, 0, 0); // the movement portion is "Crab"
}

TEST(MonsterName, AnEmptyMovementPortionMakesNoSense) {
    const vb::RuntimeError error = ErrorOf("3 Crab  .gif");
    EXPECT_EQ(error.Number(), static_cast<int32_t>(0x8004000A));
    EXPECT_EQ(error.Description(),
              "Movement portion of Filename '3 Crab  .gif' retrieved from /Monsters folder "
              "makes no sense.");
}

TEST(MonsterName, AnEmptyBaseMakesNoSense) {
    const vb::RuntimeError error = ErrorOf(".gif");
    EXPECT_EQ(error.Number(), -2147221494);
    EXPECT_EQ(error.Description(),
              "Filename '.gif' retrieved from /Monsters folder makes no sense.");
}

TEST(MonsterName, ExtraPiecesAndFieldsAreIgnoredAndNoDotIsAllBase) {
    ExpectCodes(ParseMonsterFileName("4 Ox 1-2-3-4 more.gif"), 1, 2, 3);
    const MonsterName name = ParseMonsterFileName("4 Ox 5");
    EXPECT_EQ(name.MonsterName, "Ox");
    ExpectCodes(name, 5, 0, 0);
    ExpectCodes(ParseMonsterFileName("4 Ox 5--7.gif"), 5, 0, 7);
}

TEST(MonsterName, AHugeCodeIsNoListedCodeAndDoesNotOverflow) {
    const MonsterName name = ParseMonsterFileName("4 Ox 99999999999-2.gif");
    EXPECT_EQ(name.MoveCode[0], 2147483647);
    EXPECT_EQ(name.MoveCode[1], 2);
}
