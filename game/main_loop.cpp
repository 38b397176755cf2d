// One frame of play: move, camera, draw, refresh.
#include <array>
#include <string>

#include "game/camera.h"
#include "game/frmMain.h"
#include "gfx/modGraphic.h"
#include "history/history.h"
#include "input/clsKeyboard.h"
#include "monsters/clsMonster.h"
#include "platform/host.h"
#include "platform/key_table.h"
#include "player/clsMan.h"
#include "scenery/clsElements.h"
#include "scenery/clsParticles.h"
#include "vb/numeric.h"
#include "vb/random.h"

namespace {

constexpr int32_t Rgb(int r, int g, int b) {
    return r + g * 256 + b * 65536;
}

constexpr int32_t kBackground = Rgb(213, 210, 190);
constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kGround = Rgb(192, 218, 117);

// One status bar: from 3 game pixels in, as long as its fraction of the view.
void StatusBar(gdi::HDC dc, double fraction, double row, int32_t colour) {
    FillRectGdi(dc, vb::RoundEven(3 * PixelWidth), vb::RoundEven(row * PixelHeight),
                vb::RoundEven((ViewWidth - 6 * PixelWidth) * fraction),
                vb::RoundEven((row + 1) * PixelHeight), colour);
}

// The white frame around the view, one game pixel wide.
std::array<gdi::RECT, 4> FrameRects() {
    const int32_t W = ViewWidth, H = ViewHeight;
    const int32_t pw = vb::RoundEven(PixelWidth), ph = vb::RoundEven(PixelHeight);
    return {gdi::RECT{0, 0, W, ph}, gdi::RECT{0, 0, pw, H}, gdi::RECT{W - pw, 0, W, H},
            gdi::RECT{0, H - ph, W, H}};
}

// The ground below its surface line, when any of it shows.
bool GroundRect(gdi::RECT& out) {
    const int32_t groundTop = vb::RoundEven(PixelHeight + OffsetY);
    if (groundTop >= ViewHeight - 5) return false;
    out = gdi::RECT{1, groundTop, ViewWidth - 2, ViewHeight - 2};
    return true;
}

// A banner text with its grey shadow one pixel right and down.
void BannerText(gdi::HDC dc, const std::string& text, double size, int32_t left, int32_t top,
                int32_t width) {
    DrawTextGdi(dc, text, "Arial", size, true, false, left + 1, top + 1, width, 25,
                Rgb(128, 128, 128), gdi::DT_RIGHT, 0, 0, 0, 0, 0, false);
    DrawTextGdi(dc, text, "Arial", size, true, false, left, top, width, 25, Rgb(195, 190, 130),
                gdi::DT_RIGHT, 0, 0, 0, 0, 0, false);
}

} // namespace

void frmMainForm::MainLoop() {
    platform::Host& host = platform::host();
    if (Keyboard->KeyDown(platform::vk::Escape))
        NextGameState = 2; // the frame still runs to its end

    const double oldX = mMan->mX, oldY = mMan->mY;
    mMan->Move();
    for (auto& monster : mMonsters) monster->Move();
    mElements->Move();
    mParticles->Move();
    vb::Rnd(); // keeps the random sequence one step per frame

    CameraStep(mMan->mState == 1 && MonstersLeft != 0, oldX, oldY, mMan->mX, mMan->mY);

    gdi::HDC dc = picMainDC();
    ClearView(dc);
    // Masked copies turn the mask's white bits into the background colour and
    // its black bits into the text colour. The banner leaves its own colour
    // as the text colour, so black is restored here as well: otherwise every
    // picture drawn after the first banner would show the background through.
    gdi::SetBkColor(dc, kWhite);
    gdi::SetTextColor(dc, 0);
    mElements->DrawBehind(mCovers, mElementCoverEnds);
    for (auto& monster : mMonsters) monster->Draw();
    DrawStatusBars();

    gdi::RECT ground;
    if (GroundRect(ground))
        FillRectGdi(dc, ground.left, ground.top, ground.right, ground.bottom, kGround);

    mElements->Draw(true);
    ScreenImageStep();
    mMan->Draw();

    for (const gdi::RECT& r : FrameRects())
        FillRectGdi(dc, r.left, r.top, r.right, r.bottom, kWhite);

    mParticles->Draw();
    if (host.Now() < MonsterNameUntil && MonstersLeft != 0) DrawBanner();
    host.RefreshView();
}

// Every pixel of the view gets the background colour unless an opaque part
// of a layer drawn later in the frame will replace it: the scenery's and the
// monster's opaque rectangles (they are copied with a black text colour),
// the ground and the frame. Everything drawn in between changes each pixel
// on its own, so what lay under such a part before cannot show. The same
// rectangles spare the scenery behind the action what later layers replace.
void frmMainForm::ClearView(gdi::HDC dc) {
    mCovers.clear();
    mElementCoverEnds.clear(); // the scenery then drawn whole
    if (!ClearOnlyUncovered) {
        FillRectGdi(dc, 0, 0, ViewWidth, ViewHeight, kBackground);
        return;
    }
    mElements->OpaqueCover(false, mCovers, &mElementCoverEnds);
    for (auto& monster : mMonsters) monster->OpaqueCover(mCovers);
    gdi::RECT ground;
    if (GroundRect(ground)) mCovers.push_back(ground);
    mElements->OpaqueCover(true, mCovers);
    for (const gdi::RECT& r : FrameRects()) mCovers.push_back(r);
    gdi::FillSolidRectOutside(dc, gdi::RECT{0, 0, ViewWidth, ViewHeight}, mCovers, kBackground);
}

void frmMainForm::DrawStatusBars() {
    if (MonstersLeft == 0) return;
    gdi::HDC dc = picMainDC();
    const int32_t total = Monster(1).mHitTotal;
    // F pressed past the last stage leaves the total below 0: no bar then,
    // rather than a sliver running left from the bar's start.
    if (total > 0) {
        StatusBar(dc, total / 1200.0, 2, total >= 300 ? kWhite : Rgb(255, 255, 0));
    }
    if (mMan->mStrength != 0) {
        StatusBar(dc, mMan->mStrength / 100, 4, mMan->mStrength < 25 ? Rgb(128, 128, 192) : kWhite);
    }
    if (mMan->mSwordCounter != 0) {
        StatusBar(dc, mMan->mSwordCounter / 100, 6,
                  mMan->mSwordCounter > 50 ? Rgb(192, 128, 128) : kWhite);
    }
}

void frmMainForm::DrawBanner() {
    gdi::HDC dc = picMainDC();
    const int32_t SW = ViewWidth;
    const double PH = PixelHeight;
    BannerText(dc, Monster(1).mMonsterName, 30, SW - 425, vb::RoundEven(8 * PH + 23), 400);

    const int32_t entries = static_cast<int32_t>(MonsterHistory.size());
    if (entries != MonstersLeft) {
        const std::string left = MonstersLeft == 1
                                     ? std::string("1 Monster Left")
                                     : std::to_string(MonstersLeft) + " Monsters Left";
        BannerText(dc, left, 20, SW - 225, vb::RoundEven(8 * PH + 73), 200);
    }
    if (entries - MonstersLeft > 0) {
        BannerText(dc, std::to_string(entries - MonstersLeft) + " Defeated", 20, SW - 225,
                   vb::RoundEven(8 * PH + 103), 200);
    }
}
