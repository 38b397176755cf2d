// The player's man: one game pixel with a sword. He walks, jumps, holds on to
// the monster's fur and climbs it, strikes its hit points and dies on bright
// red or when crushed. After death (or with no monster left) the arrow keys
// steer an invisible free camera instead.
#pragma once

#include <cstdint>

#include "gdi/raster.h"
#include "world/man_state.h"

class clsMan : public ManState {
  public:
    void Initialize();
    // True when one of the eight game pixels around the point is a grip pixel.
    bool Attached(double pX, double pY);
    void SwordHit();
    void Die(int32_t pType);
    void Move();
    void Draw();

    // For the comforts around the game; the game itself never reads them:
    // where the last Draw put him and in which colour, and the strikes that
    // reached a hit point.
    bool mDrawn = false;
    gdi::RECT mDrawnBlock{};
    int32_t mDrawnColour = 0;
    int64_t mStrikesLanded = 0;

    // Frames the current strike has been shown (0..9).
    int32_t SwordFrameForTest() const { return SwordFrame; }

  private:
    // One frame of play, in these steps.
    void MovePlay();
    static bool Blocked(int32_t colour);
    void GuideBeam();
    void ChargeSword();
    void HoldOn();
    void Jump();
    void Walk();
    void Climb();
    void StayInTheWorld();
    void Collide();
    void LandOrFall();
    void MoveFreeCamera();

    int32_t SwordFrame = 0;
};
