#include "platform/headless_host.h"

#include <cstdio>

namespace platform {
namespace {
// Bitmaps are objects of the raster; the handle types do not show it.
gdi::HGDIOBJ AsObject(gdi::HBITMAP bitmap) {
    return reinterpret_cast<gdi::HGDIOBJ>(bitmap);
}
} // namespace

HeadlessHost::HeadlessHost(std::string appPath) : mAppPath(std::move(appPath)) {}

HeadlessHost::~HeadlessHost() {
    DestroyGameWindow();
}

void HeadlessHost::SetClockMilliseconds(uint32_t ms) {
    mClockMicros = uint64_t{ms} * 1000;
}

void HeadlessHost::AdvanceMilliseconds(double ms) {
    if (ms > 0) mClockMicros += static_cast<uint64_t>(ms * 1000.0 + 0.5);
}

uint32_t HeadlessHost::TimeGetTime() {
    const auto now = static_cast<uint32_t>(mClockMicros / 1000);
    mClockMicros += ReadCostMicros;
    return now;
}

void HeadlessHost::Sleep(uint32_t milliseconds) {
    mClockMicros += uint64_t{milliseconds} * 1000;
    TotalSleptMilliseconds += milliseconds;
}

DateTime HeadlessHost::Now() {
    return NowAtStart + static_cast<DateTime>(mClockMicros / 1000);
}

void HeadlessHost::CreateGameWindow(const std::string& caption, bool fullScreen) {
    WindowCreated = true;
    WindowCaption = caption;
    WindowFullScreen = fullScreen;
}

void HeadlessHost::PlaceGameWindow(int32_t left, int32_t top, int32_t width, int32_t height) {
    WindowRect[0] = left;
    WindowRect[1] = top;
    WindowRect[2] = width;
    WindowRect[3] = height;
}

void HeadlessHost::PlaceView(int32_t left, int32_t top, int32_t width, int32_t height) {
    ViewRect[0] = left;
    ViewRect[1] = top;
    ViewRect[2] = width;
    ViewRect[3] = height;
    // The view keeps one image for its whole life; only a new size replaces it.
    if (mViewDC && mViewBitmap) {
        gdi::BITMAP info;
        gdi::GetObject(mViewBitmap, info);
        if (info.bmWidth == width && info.bmHeight == height) return;
    }
    if (!mViewDC) mViewDC = gdi::CreateCompatibleDC(gdi::GetDC(nullptr));
    gdi::HBITMAP bitmap = gdi::CreateCompatibleBitmap(gdi::GetDC(nullptr), width, height);
    if (!bitmap) return;
    gdi::HGDIOBJ displaced = gdi::SelectObject(mViewDC, AsObject(bitmap));
    if (mViewBitmap) {
        gdi::DeleteObject(AsObject(mViewBitmap));
    } else {
        mViewDisplaced = displaced;
    }
    mViewBitmap = bitmap;
}

void HeadlessHost::DestroyGameWindow() {
    if (mViewDC) {
        gdi::SelectObject(mViewDC, mViewDisplaced);
        gdi::DeleteObject(AsObject(mViewBitmap));
        gdi::DeleteDC(mViewDC);
    }
    mViewDC = nullptr;
    mViewBitmap = nullptr;
    mViewDisplaced = nullptr;
    WindowCreated = WindowShown = false;
}

bool HeadlessHost::DoEvents() {
    if (OnDoEvents) OnDoEvents(*this);
    const bool close = mCloseRequested;
    mCloseRequested = false;
    return close;
}

void HeadlessHost::SetKey(int virtualKey, bool down) {
    uint8_t& key = Keys[virtualKey & 0xFF];
    const bool wasDown = (key & 0x80) != 0;
    if (down == wasDown) return;
    if (down) key ^= 0x01;
    key = static_cast<uint8_t>(down ? (key | 0x80) : (key & ~0x80));
}

void HeadlessHost::ReleaseAllKeys() {
    for (uint8_t& key : Keys) key &= static_cast<uint8_t>(~0x80);
}

void HeadlessHost::GetKeyboardState(uint8_t table[256]) {
    for (int i = 0; i < 256; ++i) table[i] = Keys[i];
}

int32_t HeadlessHost::ShowCursor(bool show) {
    CursorDisplayCount += show ? 1 : -1;
    return CursorDisplayCount;
}

void HeadlessHost::MessageBox(const std::string& text, const std::string& title) {
    Messages.push_back(text);
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

bool HeadlessHost::OpenAudio(int32_t frequency) {
    if (!AudioAvailable) return false;
    AudioFrequencyOpened = frequency;
    return true;
}

} // namespace platform
