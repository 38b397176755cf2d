// A strike: cut the fur in front of the sword, then stab a hit point within
// reach, splash, shove and anger the monster, and end a stage when the hit
// point is used up.
#include "monsters/clsMonster.h"
#include "player/clsMan.h"
#include "player/colour_classes.h"
#include "scenery/clsParticles.h"
#include "sounds/game_sounds.h"
#include "vb/numeric.h"
#include "vb/random.h"
#include "world/game_form_state.h"
#include "world/world_globals.h"

namespace {
constexpr int32_t kCutFurGrey = 96 + 96 * 256 + 96 * 65536;
constexpr int32_t kSplashGrey = 128 + 128 * 256 + 128 * 65536;
} // namespace

void clsMan::SwordHit() {
    frmMainState& game = *frmMain;
    clsMonster& monster = game.Monster(1);
    clsParticles& particles = game.Particles();
    const double mx = vb::Int(mX), my = vb::Int(mY);
    const double dx = mSwordX, dy = mSwordY;

    mSwordLength = vb::IntL(mSwordCounter / 100 * 3);
    bool cut = false;
    for (int32_t n = 1; n <= mSwordLength; ++n) {
        const double cellX = mx + n * dx, cellY = my + n * dy;
        const int32_t c = game.GetColour(cellX, cellY);
        if (c == -2 || c == ColourWhite) continue;
        if (!IsFurColour(c)) break;
        // Cut fur turns too dark to be solid or climbable.
        monster.SetColour2(cellX, cellY, kCutFurGrey);
        const double sx = vb::Rnd() * 0.5 - 0.25 + 0.25 * dx;
        const double sy = vb::Rnd() * 0.5 - 0.75 + 0.25 * dy;
        particles.Add(mx + dx, my + dy, sx, sy, 1, c);
        cut = true;
    }
    if (cut) PlayGameSound(GameSound::Cut, mx + dx);
    mSwordLength = 3;

    int32_t reach = 0;
    for (int32_t i = 1; i <= 3; ++i) {
        if (game.GetColour(mx + i * dx, my + i * dy) == ColourWhite) {
            reach = i;
            break;
        }
    }
    if (reach == 0) return;
    ++mStrikesLanded;
    const double hitX = mx + reach * dx, hitY = my + reach * dy;
    PlayGameSound(GameSound::HitPoint, hitX);

    const int32_t hp = monster.mHitPoint;
    if (hp < mSwordCounter) mSwordCounter = hp; // no more damage than the hit point has left
    monster.mHitPoint = vb::RoundEven(hp - mSwordCounter);
    const double L = vb::Int(mSwordCounter / 100 * 3);

    const int32_t r = monster.mHitPoint > 0 ? 1 : 2;
    const int32_t splash = monster.mHitPoint > 0 ? kSplashGrey : 0;
    for (int32_t a = -r; a <= r; ++a) {
        for (int32_t b = -r; b <= r; ++b) {
            const double sx = 2 * vb::Rnd() - 1;
            const double sy = 2 * vb::Rnd() - 1;
            particles.Add(hitX, hitY, sx, sy, 1, splash);
        }
        monster.mSY = monster.mSY - 0.1 - L / 20;
        monster.mAngryCounter = vb::RoundEven(L * 10 + 10);
    }

    if (monster.mHitPoint < 1) {
        PlayGameSound(GameSound::Stage, hitX);
        // The used-up hit point stays climbable but is no target any more.
        for (int32_t j = -12; j <= 12; ++j) {
            for (int32_t k = -12; k <= 12; ++k) {
                if (monster.GetColour2(mx + j, my + k) == ColourWhite) {
                    monster.SetColour2(mx + j, my + k, ColourGreen);
                }
            }
        }
        monster.mSY = monster.mSY - 0.7 - L / 10;
        monster.mAngryCounter = vb::RoundEven(L * 30 + 40);
        monster.mHitPoint = 400;
        monster.mMonsterMoveIndex = monster.mMonsterMoveIndex + 1;
    }

    monster.mHitTotal = vb::RoundEven(monster.mHitTotal - mSwordCounter);
    if (monster.mHitTotal < 1) {
        monster.mHitTotal = 0;
        monster.mState = 3;
        PlayGameSound(GameSound::Defeat, monster.mX + monster.mWidth / 2.0);
    }
}
