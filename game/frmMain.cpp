// The game form's set-up and tear-down, and the world's colour query.
#include "game/frmMain.h"

#include "monsters/clsMonster.h"
#include "platform/host.h"
#include "platform/numeric.h"
#include "player/clsMan.h"
#include "scenery/clsElements.h"
#include "scenery/clsParticles.h"

frmMainForm* frmMain = nullptr;

frmMainForm::frmMainForm() : platform::Form("frmMain") {
    frmMain = this;
}

frmMainForm::~frmMainForm() {
    if (frmMain == this) frmMain = nullptr;
}

void frmMainForm::Kiv_Initialize() {
    platform::Host& host = platform::host();
    host.PlaceGameWindow(0, 0, ScreenWidth, ScreenHeight);
    host.PlaceView(vb::RoundEven((ScreenWidth - ViewWidth) / 2.0),
                   vb::RoundEven((ScreenHeight - ViewHeight) / 2.0), ViewWidth, ViewHeight);
}

void frmMainForm::Kiv_Terminate() {}

int32_t frmMainForm::GetColour(double pX, double pY) {
    (void)pX;
    if (vb::Int(pY) > 0) return 0;
    return -2;
}

void frmMainForm::Form_Unload() {
    NextGameState = 2;
}
