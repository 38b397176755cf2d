// A monster built from its picture file: the picture is its body, the file
// name its number, display name and movement codes. The one object rebuilds
// itself in place for every new monster of the history.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gfx/kivSprites3.h"

class clsMonster {
  public:
    clsMonster();
    ~clsMonster();
    clsMonster(const clsMonster&) = delete;
    clsMonster& operator=(const clsMonster&) = delete;

    double mX = 0;
    double mY = 0;
    double mSX = 0;
    double mSY = 0;
    double mDirX = 0;
    int32_t mState = 0;
    int32_t mHitPoint = 0;
    int32_t mHitTotal = 0;
    std::string mFileName;
    std::string mMonsterID;
    std::string mMonsterName;
    int32_t mMonsterMoveIndex = 0;
    double mMoveCounter = 0;
    double mMoveCounter2 = 0;
    int32_t mWidth = 0;
    int32_t mHeight = 0;
    int32_t mAngryCounter = 0;

    // Builds the next undefeated monster of the history, or leaves the
    // monster inactive (mFileName "") when none is left.
    void Initialize();
    void MonsterMotion();
    void Move();

    // The picture's colour at a world point; -2 outside, transparent or dark.
    int32_t GetColour2(double pX, double pY) const;
    // Paints the game pixel at a world point.
    void SetColour2(double pX, double pY, int32_t pColor);
    void Draw();
    // Appends the view rectangles that Draw paints whatever they held.
    void OpaqueCover(std::vector<gdi::RECT>& pOut);

    // The movement code in force: 0 for an index outside 1..3.
    int32_t CodeInForce() const;

    // --- for tests and tools ------------------------------------------------
    int32_t MoveCode(int32_t pIndex) const { return mMoveCode.at(pIndex - 1); }
    void SetMoveCode(int32_t pIndex, int32_t pCode) { mMoveCode.at(pIndex - 1) = pCode; }
    bool Flying() const { return mFlying; }
    void SetFlying(bool pFlying) { mFlying = pFlying; }
    const kivSprites3* Sprites() const { return mSprites.get(); }

  private:
    void Shake();
    // The steps of a frame.
    void Accelerate();
    bool Step();
    void CarryTheMan(double oldX, double oldY);
    // The movement patterns of the codes; t is the pattern's frame counter.
    bool OnGround() const;
    void TurnAtTheEdge();
    void Walk(int32_t c, double& t);
    void Hop(int32_t c, double& t);
    void Bound(int32_t c, double& t);
    void Rise(int32_t c, double& t);
    void Circle(int32_t c, double& t);
    void Hover(double& t);

    std::array<int32_t, 3> mMoveCode{0, 0, 0};
    bool mFlying = false;
    std::unique_ptr<kivSprites3> mSprites;
    int32_t mBuildPixelWidth = 0;
    int32_t mBuildPixelHeight = 0;
};

// Where a monster file of the history lies: directly in the Monsters folder,
// or else in one of its subfolders (the history keeps bare names only).
std::string MonsterFilePath(const std::string& pFileName);
