#include "app/view_overlay_host.h"

#include <algorithm>
#include <cstdio>

#include "gdi/raster.h"
#include "gfx/modGraphic.h"
#include "platform/key_table.h"

namespace {

constexpr int32_t kLineHeight = 18;
constexpr int32_t kPanelWidth = 440;
constexpr gdi::COLORREF kPanel = gdi::RGB(24, 24, 24);
constexpr gdi::COLORREF kText = gdi::RGB(235, 235, 235);

bool WentDown(const uint8_t table[256], int key, bool& wasDown) {
    const bool down = (table[key] & 0x80) != 0;
    const bool went = down && !wasDown;
    wasDown = down;
    return went;
}

} // namespace

ViewOverlayHost::ViewOverlayHost(platform::Host& inner, Screenshot screenshot)
    : ForwardingHost(inner), mScreenshot(std::move(screenshot)) {}

void ViewOverlayHost::GetKeyboardState(uint8_t table[256]) {
    mInner.GetKeyboardState(table);
    mFrameStart = now();
    mStarts.push_back(mFrameStart);
    while (!mStarts.empty() && mFrameStart - mStarts.front() > std::chrono::seconds(1))
        mStarts.pop_front();
    if (WentDown(table, platform::vk::F3, mF3Down)) mShowTimes = !mShowTimes;
    if (WentDown(table, platform::vk::F12, mF12Down)) mScreenshotAsked = true;
}

std::vector<std::string> ViewOverlayHost::OverlayLines() const {
    std::vector<std::string> lines;
    if (!mNotice.empty() && now() < mNoticeUntil) lines.push_back(mNotice);
    if (mShowTimes) {
        int late = 0;
        for (size_t i = 1; i < mStarts.size(); ++i)
            if (mStarts[i] - mStarts[i - 1] > kLateAfter) ++late;
        char text[96];
        std::snprintf(text, sizeof text, "frame %.2f ms, %d late in the last second",
                      std::chrono::duration<double, std::milli>(mDrawing).count(), late);
        lines.push_back(text);
    }
    return lines;
}

void ViewOverlayHost::RefreshView() {
    mDrawing = now() - mFrameStart;
    ViewMarks marks(mInner.ViewDC());
    if (!marks.Usable()) {
        mInner.RefreshView();
        return;
    }
    if (mScreenshotAsked) {
        // The game's pixels, before anything is drawn over them.
        mScreenshotAsked = false;
        const gdi::HBITMAP bitmap = gdi::CurrentBitmap(mInner.ViewDC());
        mNotice = mScreenshot ? mScreenshot(gdi::BitmapPicture(bitmap)) : "";
        mNoticeUntil = now() + kNoticeTime;
    }
    if (drawOver) drawOver(marks);
    const std::vector<std::string> lines = OverlayLines();
    if (!lines.empty()) {
        const int32_t width = std::min(kPanelWidth, marks.Width());
        const int32_t left = marks.Width() - width;
        marks.Fill({left, 0, marks.Width(), kLineHeight * static_cast<int32_t>(lines.size()) + 8},
                   kPanel);
        int32_t top = 4;
        for (const std::string& line : lines) {
            marks.Text({left + 8, top, left + width - 8, top + kLineHeight}, line, 13, false, kText,
                       gdi::DT_LEFT);
            top += kLineHeight;
        }
    }
    mInner.RefreshView();
    marks.Undo(); // after the window has taken its copy
}
