// The game form's set-up and tear-down, and the world's colour query.
#include "game/frmMain.h"
#include "history/history.h"

#include <string>

#include "monsters/clsMonster.h"
#include "platform/host.h"
#include "player/clsMan.h"
#include "scenery/clsElements.h"
#include "scenery/clsParticles.h"
#include "sounds/game_sounds.h"
#include "vb/numeric.h"
#include "vb/strings.h"

frmMainForm::frmMainForm() : GameForm("frmMain") {
    frmMain = this;
}

frmMainForm::~frmMainForm() {
    if (frmMain == this) frmMain = nullptr;
}

void frmMainForm::Kiv_Initialize() {
    platform::Host& host = platform::host();
    LoadGameSounds(host.AppPath() + "/Sounds"); // before the first monster rises
    // Both builds cover the real screen; the windowed build's smaller play
    // area sits in its middle.
    const int32_t screenWidth = host.DesktopWidth(), screenHeight = host.DesktopHeight();
    host.PlaceGameWindow(0, 0, screenWidth, screenHeight);
    host.PlaceView(vb::RoundEven((screenWidth - ViewWidth) / 2.0),
                   vb::RoundEven((screenHeight - ViewHeight) / 2.0), ViewWidth, ViewHeight);

    mMan = std::make_unique<clsMan>();
    mMan->Initialize();

    // The monster is in the list before it initializes: it looks itself up
    // through Monster(1) and places itself beside the man.
    mMonsters.clear();
    mMonsters.push_back(std::make_unique<clsMonster>());
    for (auto& monster : mMonsters) monster->Initialize();

    TextUntil = host.Now() - platform::kMillisecondsPerDay;
    TextSprites.Initialize(true, 600, 175, nullptr);
    // The first two monsters keep the instructions and credits up longer.
    TextTimeScale = vb::Val(vb::Trim(Monster(1).mMonsterID)) > 2 ? 1 : 15;

    if (MonstersLeft == 0) TextChange(host.AppPath() + "/images/Text_Readme.gif", 10000);

    mElements = std::make_unique<clsElements>();
    mElements->Initialize();
    mParticles = std::make_unique<clsParticles>();
    mParticles->Initialize();
}

void frmMainForm::Kiv_Terminate() {
    UnloadGameSounds();
}

ManState* frmMainForm::Man() {
    return mMan.get();
}

bool frmMainForm::ManIsDead() const {
    return mMan && mMan->mState == 2;
}

GameForm::ManOnView frmMainForm::ManDrawn() const {
    if (!mMan || !mMan->mDrawn) return {};
    return {true, mMan->mDrawnBlock, static_cast<gdi::COLORREF>(mMan->mDrawnColour)};
}

GameForm::FightView frmMainForm::Fight() const {
    FightView fight;
    if (!mMonsters.empty() && MonstersLeft != 0) fight.monsterFile = mMonsters[0]->mFileName;
    fight.manDead = ManIsDead();
    fight.strikes = mMan ? mMan->mStrikesLanded : 0;
    return fight;
}

void frmMainForm::PushBackTimers(int64_t milliseconds) {
    TextUntil += milliseconds;
}

int32_t frmMainForm::GetColour(double pX, double pY) {
    if (vb::Int(pY) > 0) return 0; // the ground
    const int32_t c = Monster(1).GetColour2(pX, pY);
    if (c != -2 || !mElements) return c;
    return mElements->GetColour2(pX, pY);
}

std::unique_ptr<GameForm> NewGameForm() {
    return std::make_unique<frmMainForm>();
}

ProgramSetup GameProgramSetup(ScreenSizeMode screenSize) {
    ProgramSetup setup;
    setup.screenSize = screenSize;
    setup.newGameForm = NewGameForm;
    return setup;
}

void frmMainForm::Form_Unload() {
    NextGameState = 2;
}
