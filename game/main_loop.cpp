// One frame of play: move, camera, draw, refresh.
#include "game/frmMain.h"
#include "gfx/modGraphic.h"
#include "input/clsKeyboard.h"
#include "platform/host.h"

namespace {
constexpr int32_t kBackground = 213 + 210 * 256 + 190 * 65536;
constexpr int32_t kWhite = 0xFFFFFF;
} // namespace

void frmMainForm::MainLoop() {
    if (Keyboard && Keyboard->KeyDown(27)) NextGameState = 2;

    gdi::HDC dc = picMainDC();
    FillRectGdi(dc, 0, 0, ViewWidth, ViewHeight, kBackground);

    const int32_t W = ViewWidth, H = ViewHeight;
    const int32_t pw = static_cast<int32_t>(PixelWidth), ph = static_cast<int32_t>(PixelHeight);
    FillRectGdi(dc, 0, 0, W, ph, kWhite);
    FillRectGdi(dc, 0, 0, pw, H, kWhite);
    FillRectGdi(dc, W - pw, 0, W, H, kWhite);
    FillRectGdi(dc, 0, H - ph, W, H, kWhite);

    platform::host().RefreshView();
}
