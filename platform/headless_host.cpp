#include "platform/headless_host.h"

#include <algorithm>
#include <cstdio>

#include "platform/key_table.h"

namespace platform {
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

void HeadlessHost::UseRealClock() {
    mRealClock = std::make_unique<MonotonicClock>();
}

uint32_t HeadlessHost::TimeGetTime() {
    if (mRealClock) return mRealClock->Milliseconds();
    const auto now = static_cast<uint32_t>(mClockMicros / 1000);
    mClockMicros += ReadCostMicros;
    return now;
}

void HeadlessHost::Sleep(uint32_t milliseconds) {
    TotalSleptMilliseconds += milliseconds;
    if (mRealClock) {
        mRealClock->SleepUntil(mRealClock->Milliseconds() + milliseconds);
        return;
    }
    mClockMicros += uint64_t{milliseconds} * 1000;
}

void HeadlessHost::SleepUntil(uint32_t timeGetTime) {
    if (mRealClock) {
        const int64_t late = mRealClock->SleepUntil(timeGetTime);
        if (late >= 0) SleepLatenessNanos.push_back(late);
        return;
    }
    const auto now = static_cast<uint32_t>(mClockMicros / 1000);
    const auto ahead = static_cast<int32_t>(timeGetTime - now);
    if (ahead <= 0) return;
    mClockMicros = (mClockMicros / 1000 + static_cast<uint64_t>(ahead)) * 1000;
    TotalSleptMilliseconds += static_cast<uint32_t>(ahead);
}

DateTime HeadlessHost::Now() {
    if (mRealClock) return NowAtStart + mRealClock->Milliseconds();
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
    mView.Resize(width, height);
}

void HeadlessHost::DestroyGameWindow() {
    mView.Release();
    WindowCreated = WindowShown = false;
}

bool HeadlessHost::DoEvents() {
    if (OnDoEvents) OnDoEvents(*this);
    const bool close = mCloseRequested;
    mCloseRequested = false;
    return close;
}

void HeadlessHost::SetKey(int virtualKey, bool down) {
    SetKeyByte(Keys[virtualKey & 0xFF], down);
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

bool HeadlessHost::AskYesNo(const std::string& text, const std::string& title) {
    Questions.push_back(text);
    std::fprintf(stderr, "%s: %s (%s)\n", title.c_str(), text.c_str(), YesNoAnswer ? "yes" : "no");
    return YesNoAnswer;
}

bool HeadlessHost::OpenAudio(int32_t frequency) {
    if (mAudio) return true;
    if (!AudioAvailable) return false;
    mAudio = AudioOpener ? AudioOpener(frequency) : std::make_unique<PulledAudioDevice>(frequency);
    if (!mAudio) return false;
    AudioFrequencyOpened = frequency;
    return true;
}

void HeadlessHost::PullAudio(int16_t* out, int32_t frames) {
    if (auto* pulled = dynamic_cast<PulledAudioDevice*>(mAudio.get())) {
        pulled->Pull(out, frames);
    } else {
        std::fill(out, out + frames * kAudioOutputChannels, int16_t{0});
    }
}

} // namespace platform
