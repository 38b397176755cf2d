#include "app/comforts.h"

#include <algorithm>

#include "app/modMain.h"
#include "gdi/raster.h"
#include "gfx/modGraphic.h"
#include "history/history.h"
#include "input/clsKeyboard.h"
#include "platform/key_table.h"

bool PauseControl::Step(GameForm& form) {
    platform::Host& host = platform::host();
    if (Keyboard->KeyPressed(platform::vk::P)) {
        mPaused = !mPaused;
        if (mPaused) {
            mPausedAt = host.Now();
            DrawPausedLine(host.ViewDC(), ViewWidth, ViewHeight);
        } else {
            // The clock ran on while nothing moved: so do the timers.
            const int64_t paused = host.Now() - mPausedAt;
            MonsterNameUntil += paused;
            form.PushBackTimers(paused);
        }
    }
    if (!mPaused) return false;
    if (Keyboard->KeyPressed(platform::vk::Escape)) NextGameState = 2; // Escape still quits
    host.RefreshView(); // the window may have been uncovered or resized
    return true;
}

bool WantsToTryAgain(const GameForm& form) {
    return Keyboard->KeyPressed(platform::vk::R) && form.ManIsDead();
}

void DrawPausedLine(gdi::HDC view, int32_t width, int32_t height) {
    gdi::COLORREF* pixels = gdi::BitmapColourPixels(gdi::CurrentBitmap(view));
    if (!pixels || width < 1 || height < 1) return;
    const int32_t band = std::max(1, height / 8);
    const int32_t top = (height - band) / 2;
    for (int32_t y = top; y < top + band; ++y) {
        gdi::COLORREF* row = pixels + static_cast<size_t>(y) * width;
        for (int32_t x = 0; x < width; ++x) row[x] = (row[x] >> 2) & 0x3F3F3F; // a quarter bright
    }
    gdi::BitmapTouched(gdi::CurrentBitmap(view));
    DrawTextGdi(view, "Paused", "Arial", band * 0.45, true, false, 0, top, width, band,
                static_cast<int32_t>(gdi::RGB(230, 230, 230)),
                gdi::DT_CENTER | gdi::DT_VCENTER | gdi::DT_SINGLELINE, 0, width, top + band, 0, 0,
                true);
}
