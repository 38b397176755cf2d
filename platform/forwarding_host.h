// A host that passes every call to another one: the base of hosts that change
// only a few of the answers (a recording, a replay).
#pragma once

#include "platform/host.h"

namespace platform {

class ForwardingHost : public Host {
  public:
    explicit ForwardingHost(Host& inner) : mInner(inner) {}

    uint32_t TimeGetTime() override { return mInner.TimeGetTime(); }
    void Sleep(uint32_t milliseconds) override { mInner.Sleep(milliseconds); }
    void SleepUntil(uint32_t timeGetTime) override { mInner.SleepUntil(timeGetTime); }
    DateTime Now() override { return mInner.Now(); }
    int32_t DesktopWidth() override { return mInner.DesktopWidth(); }
    int32_t DesktopHeight() override { return mInner.DesktopHeight(); }
    void CreateGameWindow(const std::string& caption, bool fullScreen) override {
        mInner.CreateGameWindow(caption, fullScreen);
    }
    void PlaceGameWindow(int32_t left, int32_t top, int32_t width, int32_t height) override {
        mInner.PlaceGameWindow(left, top, width, height);
    }
    void PlaceView(int32_t left, int32_t top, int32_t width, int32_t height) override {
        mInner.PlaceView(left, top, width, height);
    }
    void ShowGameWindow() override { mInner.ShowGameWindow(); }
    void DestroyGameWindow() override { mInner.DestroyGameWindow(); }
    gdi::HDC ViewDC() override { return mInner.ViewDC(); }
    void RefreshView() override { mInner.RefreshView(); }
    bool DoEvents() override { return mInner.DoEvents(); }
    void GetKeyboardState(uint8_t table[256]) override { mInner.GetKeyboardState(table); }
    ScreenPoint GetCursorPos() override { return mInner.GetCursorPos(); }
    int32_t ShowCursor(bool show) override { return mInner.ShowCursor(show); }
    void MessageBox(const std::string& text, const std::string& title) override {
        mInner.MessageBox(text, title);
    }
    bool AskYesNo(const std::string& text, const std::string& title) override {
        return mInner.AskYesNo(text, title);
    }
    bool OpenAudio(int32_t frequency) override { return mInner.OpenAudio(frequency); }
    AudioDevice* Audio() override { return mInner.Audio(); }
    void CloseAudio() override { mInner.CloseAudio(); }
    std::string AppPath() override { return mInner.AppPath(); }
    void SetFullScreen(bool fullScreen) override { mInner.SetFullScreen(fullScreen); }
    bool FullScreen() override { return mInner.FullScreen(); }
    void SetSmoothScaling(bool smooth) override { mInner.SetSmoothScaling(smooth); }
    void UseControls(const ControlMap& controls) override { mInner.UseControls(controls); }

  protected:
    Host& mInner;
};

} // namespace platform
