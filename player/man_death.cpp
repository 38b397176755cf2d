// Death: the burst, the death screen and the monster sent back to its start.
#include <cmath>

#include "monsters/clsMonster.h"
#include "platform/host.h"
#include "player/clsMan.h"
#include "scenery/clsParticles.h"
#include "sounds/game_sounds.h"
#include "vb/random.h"
#include "world/game_form_state.h"

namespace {
constexpr int32_t kPureRed = 255;
constexpr int32_t kDarkRed = 128;
} // namespace

void clsMan::Die(int32_t pType) {
    frmMainState& game = *frmMain;
    clsParticles& particles = game.Particles();
    // The red can stop him more than once in the frame he dies: one sound.
    if (mState != 2) PlayGameSound(GameSound::Death, mX);
    mState = 2;

    if (pType == 1) {
        // Crushed: a wide, flat spray.
        for (int i = 0; i < 200; ++i) {
            const double angle = vb::Rnd() * 6.28318530717958;
            double sx = std::cos(angle) * (2 * vb::Rnd() - 1);
            const double sy = std::sin(angle) / 4;
            if (vb::Rnd() < 0.5) sx *= 10;
            particles.Add(mX, mY, sx, sy, 1, kPureRed);
        }
    } else {
        // Burnt: a fountain thrown upward.
        for (int i = 0; i < 100; ++i) {
            double sx = vb::Rnd() * 0.5 - 0.25;
            double sy = -0.25 - 2 * vb::Rnd();
            if (vb::Rnd() < 0.5) {
                sx /= 2;
                sy *= 4;
            }
            particles.Add(mX, mY, sx, sy, 1, kDarkRed);
        }
    }

    game.TextChange(platform::host().AppPath() + "/images/Text_Death.gif", 10000);

    clsMonster& monster = game.Monster(1);
    monster.mSY = 0;
    monster.mState = 1;
    monster.mMonsterMoveIndex = 1;
}
