// Building a monster from the next undefeated file of the history.
#include <filesystem>

#include "history/history.h"
#include "monsters/clsMonster.h"
#include "monsters/monster_name.h"
#include "platform/host.h"
#include "sounds/game_sounds.h"
#include "vb/numeric.h"
#include "vb/random.h"
#include "world/game_form_state.h"
#include "world/man_state.h"
#include "world/world_globals.h"

clsMonster::clsMonster() = default;
clsMonster::~clsMonster() = default;

std::string MonsterFilePath(const std::string& pFileName) {
    namespace fs = std::filesystem;
    const std::string folder = platform::host().AppPath() + "/Monsters";
    const std::string direct = folder + "/" + pFileName;
    std::error_code error;
    if (fs::is_regular_file(direct, error)) return direct;
    // The history names a file in a subfolder by its bare name only: find it
    // there, taking the first match in name order so every machine agrees.
    std::string found;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        if (!it->is_regular_file(error) || it->path().filename().string() != pFileName) continue;
        const std::string candidate = it->path().string();
        if (found.empty() || candidate < found) found = candidate;
    }
    return found.empty() ? direct : found;
}

void clsMonster::Initialize() {
    mBuildPixelWidth = vb::RoundEven(PixelWidth);
    mBuildPixelHeight = vb::RoundEven(PixelHeight);
    if (mSprites) {
        mSprites->Terminate();
        mSprites.reset();
    }

    mFileName = NextMonsterFile();
    if (mFileName.empty()) return; // no monster left: inactive

    const MonsterName name = ParseMonsterFileName(mFileName);
    mMonsterID = name.MonsterID;
    mMonsterName = name.MonsterName;
    for (int i = 0; i < 3; ++i) mMoveCode[i] = name.MoveCode[i];
    mFlying = mMoveCode[0] >= 40 && mMoveCode[0] <= 49;

    {
        // The set takes the picture over: it is not needed here afterwards.
        auto picture = std::make_shared<kivSprite3>();
        picture->Initialize(true, -1, -1, -1, MonsterFilePath(mFileName), 0);
        mWidth = picture->Width();
        mHeight = picture->Height();
        mSprites = std::make_unique<kivSprites3>();
        mSprites->Initialize(true, mBuildPixelWidth * mWidth, mBuildPixelHeight * mHeight,
                             std::move(picture));
    }

    // Start X: the first monsters always come from the right.
    const double r = vb::Rnd();
    const double a = ScreenWidth / 6.0;
    const double m = frmMain->Man()->mX;
    if (vb::Val(mMonsterID) <= 2 || r < 0.4) {
        mX = m + a;
    } else if (r < 0.8) {
        mX = m - mWidth - a;
    } else {
        const double r2 = vb::Rnd();
        mX = m - mWidth - a + (2 * a + mWidth) * r2;
    }

    // Start Y: a small monster rises out of the ground, a tall one drops in.
    if (mHeight <= 600) {
        mY = 1;
    } else {
        mY = -mHeight - ScreenHeight / PixelHeight - 50;
    }

    mSX = 0;
    mSY = 0;
    mMoveCounter = 0;
    mMoveCounter2 = 0;
    mHitPoint = 400;
    mHitTotal = 1200;
    mState = 1;
    mMonsterMoveIndex = 1;
    mDirX = vb::Int(2 * vb::Rnd()) * 2 - 1;
    PlayGameSound(GameSound::Rise, mX + mWidth / 2.0);
}
