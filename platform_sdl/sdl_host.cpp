// The game's window through SDL2: one window, one renderer without vsync and
// one streaming texture the size of the view. The view's image is a raster
// bitmap whose pixels (&H00BBGGRR) are exactly SDL's XBGR8888, so a refresh
// is a single upload.
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <time.h>
#include <unistd.h>
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include "platform/game_input.h"
#include "platform/host.h"
#include "platform/key_table.h"
#include "platform/monotonic_clock.h"
#include "platform/view_image.h"
#include "platform_sdl/sdl_audio_device.h"
#include "platform_sdl/sdl_host.h"
#include "platform_sdl/sdl_keys.h"
#include "platform_sdl/sdl_pads.h"
#include "platform_sdl/sdl_view_presenter.h"
#include "platform_sdl/x11_display_loss.h"
#include "vb/program_folder.h"

namespace platform_sdl {

// The backend implements the platform's interfaces in their own terms.
using namespace platform;
namespace {

class SdlHost : public Host {
  public:
    explicit SdlHost(const SdlHostSettings& settings)
        : mSettings(settings), mInput(settings.controls) {
        // Without any display SDL would fall back to drawing nowhere, and the
        // game would run unseen: say what is missing instead.
        auto set = [](const char* name) {
            const char* value = std::getenv(name);
            return value && *value;
        };
        if (!set("DISPLAY") && !set("WAYLAND_DISPLAY") && !set("SDL_VIDEODRIVER")) {
            throw std::runtime_error("no display: set DISPLAY (X11) or WAYLAND_DISPLAY "
                                     "(Wayland), or choose a video driver with SDL_VIDEODRIVER");
        }
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
            throw std::runtime_error(std::string("Could not open the display: ") + SDL_GetError());
        }
        // Pads are a comfort: without their subsystem the keyboard still plays.
        SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
    }

    ~SdlHost() override {
        DestroyGameWindow();
        mAudio.reset();
        if (!DisplayLost()) SDL_Quit(); // it would wait for the display for ever
    }

    uint32_t TimeGetTime() override { return mClock.Milliseconds(); }

    void Sleep(uint32_t milliseconds) override { SDL_Delay(milliseconds); }

    void SleepUntil(uint32_t timeGetTime) override { mClock.SleepUntil(timeGetTime); }

    DateTime Now() override {
        using namespace std::chrono;
        return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    }

    int32_t DesktopWidth() override { return DesktopMode().w; }
    int32_t DesktopHeight() override { return DesktopMode().h; }

    void CreateGameWindow(const std::string& caption, bool fullScreen) override {
        if (mWindow) {
            // The window exists already: a second call only renames it or
            // asks for full screen.
            SDL_SetWindowTitle(mWindow, caption.c_str());
            if (fullScreen && mStyle == Style::Cover) SetStyle(Style::FullScreen);
            return;
        }
        mStyle = mSettings.window == WindowChoice::RealWindow   ? Style::Real
                 : mSettings.window == WindowChoice::FullScreen ? Style::FullScreen
                 : fullScreen                                   ? Style::FullScreen
                                                                : Style::Cover;
        // As the game asks, both builds cover the desktop: the full-screen build
        // as a full-screen window, the windowed one as a borderless window that
        // the game places over the whole screen and centres its play area in.
        Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
        int x = 0, y = 0, width = DesktopWidth(), height = DesktopHeight();
        if (mStyle == Style::FullScreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        if (mStyle == Style::Cover) flags |= SDL_WINDOW_BORDERLESS;
        if (mStyle == Style::Real) {
            flags |= SDL_WINDOW_RESIZABLE;
            x = y = SDL_WINDOWPOS_CENTERED;
            width = 640; // until the play area is known
            height = 480;
        }
        mWindow = SDL_CreateWindow(caption.c_str(), x, y, width, height, flags);
        if (!mWindow) {
            throw std::runtime_error(std::string("Could not create the window: ") + SDL_GetError());
        }
        mRealWindowSized = false;
        mPresenter = MakeViewPresenter(mSettings.present, mWindow);
        WatchX11Display(mWindow);
    }

    void PlaceGameWindow(int32_t left, int32_t top, int32_t width, int32_t height) override {
        if (!mWindow || mStyle != Style::Cover) return; // the others place themselves
        SDL_SetWindowSize(mWindow, width, height);
        SDL_SetWindowPosition(mWindow, left, top);
    }

    void PlaceView(int32_t left, int32_t top, int32_t width, int32_t height) override {
        mViewRect = SDL_Rect{left, top, width, height};
        if (!mView.Resize(width, height))
            throw std::runtime_error("Could not create the view's image");
        if (mPresenter) mPresenter->Place(mViewRect, gdi::BitmapColourPixels(mView.Bitmap()));
        if (mStyle == Style::Real && !mRealWindowSized) SizeRealWindow();
    }

    void ShowGameWindow() override {
        if (!mWindow) return;
        SDL_ShowWindow(mWindow);
        SDL_RaiseWindow(mWindow);
    }

    void DestroyGameWindow() override {
        if (DisplayLost()) {
            // Left to the end of the process: destroying them would wait
            // for a display that is gone.
            (void)mPresenter.release();
            mWindow = nullptr;
        }
        mPresenter.reset();
        if (mWindow) SDL_DestroyWindow(mWindow);
        mWindow = nullptr;
        mView.Release();
    }

    gdi::HDC ViewDC() override { return mView.DC(); }

    void RefreshView() override {
        if (!mPresenter || !mView.Bitmap() || DisplayLost()) return;
        if (mStyle == Style::Cover || (mStyle == Style::FullScreen && !mSmooth)) {
            mPresenter->Present(mViewRect, false); // where the game placed it, 1:1
            return;
        }
        // The largest whole factor that fits the drawable, centred; a drawable
        // smaller than the view shows it shrunk smoothly, and so does every
        // size when the player chose smooth scaling.
        const SDL_Point out = mPresenter->OutputSize();
        const int vw = mViewRect.w, vh = mViewRect.h;
        SDL_Rect to{0, 0, vw, vh};
        const int factor = std::min(out.x / vw, out.y / vh);
        bool smooth = false;
        if (factor >= 1 && !mSmooth) {
            to.w = vw * factor;
            to.h = vh * factor;
        } else {
            const double scale = std::min(double(out.x) / vw, double(out.y) / vh);
            to.w = std::max(1, static_cast<int>(vw * scale + 0.5));
            to.h = std::max(1, static_cast<int>(vh * scale + 0.5));
            smooth = true;
        }
        to.x = (out.x - to.w) / 2;
        to.y = (out.y - to.h) / 2;
        mPresenter->Present(to, smooth);
    }

    bool DoEvents() override {
        bool close = false;
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            switch (event.type) {
            case SDL_QUIT:
                close = true;
                break;
            case SDL_WINDOWEVENT:
                if (event.window.event == SDL_WINDOWEVENT_CLOSE) close = true;
                if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) ReleaseAllKeys();
                break;
            case SDL_KEYDOWN: {
                if (event.key.repeat) break;
                const SDL_Keycode key = event.key.keysym.sym;
                if (key == SDLK_F11 || ((key == SDLK_RETURN || key == SDLK_KP_ENTER) &&
                                        (event.key.keysym.mod & KMOD_ALT))) {
                    SetStyle(mStyle == Style::Real ? Style::FullScreen : Style::Real);
                }
                const int scan = event.key.keysym.scancode;
                const int code = VirtualKeyFromSdl(event.key.keysym.sym, scan);
                if (scan >= 0 && scan < SDL_NUM_SCANCODES) mPressedAs[scan] = code;
                mInput.KeyDown(code);
                break;
            }
            case SDL_KEYUP: {
                const int scan = event.key.keysym.scancode;
                int code = VirtualKeyFromSdl(event.key.keysym.sym, scan);
                // Released as the code it was pressed as, even if the layout changed.
                if (scan >= 0 && scan < SDL_NUM_SCANCODES && mPressedAs[scan] != 0) {
                    code = mPressedAs[scan];
                    mPressedAs[scan] = 0;
                }
                mInput.KeyUp(code);
                break;
            }
            case SDL_CONTROLLERDEVICEADDED:
                mPads.Add(event.cdevice.which);
                break;
            case SDL_CONTROLLERDEVICEREMOVED:
                mPads.Remove(event.cdevice.which, mInput);
                break;
            case SDL_CONTROLLERBUTTONDOWN:
            case SDL_CONTROLLERBUTTONUP:
                mPads.Button(event.cbutton, mInput);
                break;
            case SDL_CONTROLLERAXISMOTION:
                mPads.Axis(event.caxis, mInput);
                break;
            default:
                break;
            }
        }
        if (DisplayLost() && !mToldOfLoss) {
            std::fprintf(stderr, "The display went away: the game ends and keeps its history.\n");
            mToldOfLoss = true;
        }
        return close || DisplayLost();
    }

    void GetKeyboardState(uint8_t table[256]) override { mInput.CopyTo(table); }

    ScreenPoint GetCursorPos() override {
        if (DisplayLost()) return mLastCursor;
        SDL_GetGlobalMouseState(&mLastCursor.x, &mLastCursor.y);
        return mLastCursor;
    }

    int32_t ShowCursor(bool show) override {
        mCursorCount += show ? 1 : -1;
        if (!DisplayLost()) SDL_ShowCursor(mCursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
        return mCursorCount;
    }

    void MessageBox(const std::string& text, const std::string& title) override {
        if (DisplayLost() || SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title.c_str(),
                                                      text.c_str(), mWindow) != 0) {
            std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
        }
    }

    bool AskYesNo(const std::string& text, const std::string& title) override {
        const SDL_MessageBoxButtonData buttons[] = {
            {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
            {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
        };
        const SDL_MessageBoxData box{
            SDL_MESSAGEBOX_WARNING, mWindow, title.c_str(), text.c_str(), 2, buttons, nullptr};
        int chosen = 0;
        if (DisplayLost() || SDL_ShowMessageBox(&box, &chosen) != 0) {
            std::fprintf(stderr, "%s: %s (no one to answer: no)\n", title.c_str(), text.c_str());
            return false;
        }
        return chosen == 1;
    }

    bool OpenAudio(int32_t frequency) override {
        if (!mAudio) mAudio = OpenSdlAudioDevice(frequency);
        return mAudio != nullptr;
    }
    AudioDevice* Audio() override { return mAudio.get(); }
    void CloseAudio() override { mAudio.reset(); }

    std::string AppPath() override {
        if (!mSettings.appPath.empty()) return mSettings.appPath;
        return vb::ProgramFolder().string();
    }

    void SetFullScreen(bool fullScreen) override {
        SetStyle(fullScreen ? Style::FullScreen : Style::Real);
    }
    bool FullScreen() override { return mStyle == Style::FullScreen; }
    void SetSmoothScaling(bool smooth) override {
        mSmooth = smooth;
#ifdef __EMSCRIPTEN__
        // The page scales its canvas itself.
        EM_ASM(
            {
                if (Module.page && Module.page.setSmooth) Module.page.setSmooth($0 != 0);
            },
            smooth);
#endif
    }
    void UseControls(const ControlMap& controls) override {
        mInput.UseMap(controls);
        for (int& code : mPressedAs) code = 0;
    }

  private:
    enum class Style { Cover, FullScreen, Real };

    // The real window the play area's size, smaller (keeping its shape) when
    // the desktop's usable part cannot hold it, centred.
    void SizeRealWindow() {
#ifdef __EMSCRIPTEN__
        // The window is the page's canvas, which the page itself scales.
        const double scale = 1.0;
#else
        SDL_Rect usable{0, 0, DesktopWidth(), DesktopHeight()};
        SDL_GetDisplayUsableBounds(std::max(0, SDL_GetWindowDisplayIndex(mWindow)), &usable);
        const int room = 48; // for the window's frame and title bar
        const double scale = std::min(
            {1.0, double(usable.w - room) / mViewRect.w, double(usable.h - room) / mViewRect.h});
#endif
        const int width = std::max(64, static_cast<int>(mViewRect.w * scale));
        const int height = std::max(48, static_cast<int>(mViewRect.h * scale));
        SDL_SetWindowSize(mWindow, width, height);
        SDL_SetWindowPosition(mWindow, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        mRealWindowSized = true;
    }

    void SetStyle(Style style) {
        if (!mWindow || style == mStyle) return;
        mStyle = style;
        if (style == Style::FullScreen) {
            // Placed by hand as well: an X server without a window manager
            // does not act on the full-screen request.
            SDL_SetWindowPosition(mWindow, 0, 0);
            SDL_SetWindowSize(mWindow, DesktopWidth(), DesktopHeight());
            SDL_SetWindowFullscreen(mWindow, SDL_WINDOW_FULLSCREEN_DESKTOP);
            return;
        }
        SDL_SetWindowFullscreen(mWindow, 0);
        SDL_SetWindowBordered(mWindow, SDL_TRUE);
        SDL_SetWindowResizable(mWindow, SDL_TRUE);
        if (mViewRect.w > 0) SizeRealWindow();
    }

    SDL_DisplayMode DesktopMode() {
        SDL_DisplayMode mode{};
        const int display = mWindow ? SDL_GetWindowDisplayIndex(mWindow) : 0;
        if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) != 0) {
            mode.w = 1024;
            mode.h = 768;
        }
        return mode;
    }

    void ReleaseAllKeys() {
        mInput.ReleaseAll();
        for (int& code : mPressedAs) code = 0;
    }

    MonotonicClock mClock;
    SDL_Window* mWindow = nullptr;
    SdlHostSettings mSettings;
    Style mStyle = Style::Cover;
    bool mRealWindowSized = false;
    bool mSmooth = false;
    std::unique_ptr<ViewPresenter> mPresenter;
    SDL_Rect mViewRect{0, 0, 0, 0};
    ViewImage mView;
    GameInput mInput;
    SdlPads mPads;
    int mPressedAs[SDL_NUM_SCANCODES] = {};
    int32_t mCursorCount = 0;
    ScreenPoint mLastCursor{};
    bool mToldOfLoss = false;
    std::unique_ptr<AudioDevice> mAudio;
};

} // namespace

std::unique_ptr<Host> CreateSdlHost(const SdlHostSettings& settings) {
    return std::make_unique<SdlHost>(settings);
}

const char* PresentMethodName(PresentMethod method) {
    switch (method) {
    case PresentMethod::Texture:
        return "texture updated";
    case PresentMethod::LockedTexture:
        return "texture written while locked";
    case PresentMethod::WindowSurface:
        return "window surface";
    }
    return "?";
}

} // namespace platform_sdl
