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
    gdi::HDC view = mInner.ViewDC();
    const gdi::HBITMAP bitmap = gdi::CurrentBitmap(view);
    gdi::BITMAP size;
    gdi::COLORREF* pixels = bitmap ? gdi::BitmapColourPixels(bitmap) : nullptr;
    if (!pixels || !gdi::GetObject(bitmap, size) || size.bmWidth < 1 || size.bmHeight < 1) {
        mInner.RefreshView();
        return;
    }
    if (mScreenshotAsked) {
        mScreenshotAsked = false;
        mNotice = mScreenshot ? mScreenshot(gdi::BitmapPicture(bitmap)) : "";
        mNoticeUntil = now() + kNoticeTime;
    }
    const std::vector<std::string> lines = OverlayLines();
    if (lines.empty()) {
        mInner.RefreshView();
        return;
    }
    // The rows beneath the panel, kept whole and put back after the window
    // has taken its copy.
    const int32_t rows = std::min<int32_t>(size.bmHeight, kLineHeight * lines.size() + 8);
    const size_t count = static_cast<size_t>(rows) * size.bmWidth;
    mUnder.assign(pixels, pixels + count);
    const int32_t width = std::min(kPanelWidth, size.bmWidth);
    const int32_t left = size.bmWidth - width;
    for (int32_t y = 0; y < rows; ++y)
        std::fill_n(pixels + static_cast<size_t>(y) * size.bmWidth + left, width, kPanel);
    gdi::BitmapTouched(bitmap);
    int32_t top = 4;
    for (const std::string& line : lines) {
        DrawTextGdi(view, line, "Arial", 13, false, false, left + 8, top, width - 16, kLineHeight,
                    static_cast<int32_t>(kText), gdi::DT_LEFT | gdi::DT_SINGLELINE, 0,
                    left + width - 8, top + kLineHeight, 0, 0, true);
        top += kLineHeight;
    }
    mInner.RefreshView();
    std::copy(mUnder.begin(), mUnder.end(), pixels);
    gdi::BitmapTouched(bitmap);
}
