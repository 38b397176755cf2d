// The game's window through SDL2: one window, one renderer without vsync and
// one streaming texture the size of the view. The view's image is a raster
// bitmap whose pixels (&H00BBGGRR) are exactly SDL's XBGR8888, so a refresh
// is a single upload.
#include <SDL.h>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <time.h>
#include <unistd.h>

#include "platform/host.h"
#include "platform/key_table.h"
#include "platform/view_image.h"

namespace platform {
namespace {

class SdlHost : public Host {
  public:
    SdlHost() {
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
            throw std::runtime_error(std::string("Could not open the display: ") + SDL_GetError());
        }
    }

    ~SdlHost() override {
        DestroyGameWindow();
        mAudio.reset();
        SDL_Quit();
    }

    uint32_t TimeGetTime() override { return SDL_GetTicks(); }

    void Sleep(uint32_t milliseconds) override { SDL_Delay(milliseconds); }

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
            if (fullScreen && !mFullScreen) {
                mFullScreen = true;
                SDL_SetWindowFullscreen(mWindow, SDL_WINDOW_FULLSCREEN_DESKTOP);
            }
            return;
        }
        mFullScreen = fullScreen;
        Uint32 flags = SDL_WINDOW_HIDDEN;
        if (fullScreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        const int width = fullScreen ? DesktopWidth() : 1024;
        const int height = fullScreen ? DesktopHeight() : 768;
        mWindow = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   width, height, flags);
        if (!mWindow) {
            throw std::runtime_error(std::string("Could not create the window: ") + SDL_GetError());
        }
        mRenderer = SDL_CreateRenderer(mWindow, -1, 0);
        if (!mRenderer) mRenderer = SDL_CreateRenderer(mWindow, -1, SDL_RENDERER_SOFTWARE);
        if (!mRenderer) {
            throw std::runtime_error(std::string("Could not create the renderer: ") +
                                     SDL_GetError());
        }
    }

    void PlaceGameWindow(int32_t left, int32_t top, int32_t width, int32_t height) override {
        if (!mWindow || mFullScreen) return; // full screen covers the desktop already
        SDL_SetWindowSize(mWindow, width, height);
        SDL_SetWindowPosition(mWindow, left, top);
    }

    void PlaceView(int32_t left, int32_t top, int32_t width, int32_t height) override {
        mViewRect = SDL_Rect{left, top, width, height};
        const gdi::HBITMAP before = mView.Bitmap();
        if (!mView.Resize(width, height))
            throw std::runtime_error("Could not create the view's image");
        if (mView.Bitmap() == before) return;
        if (mTexture) SDL_DestroyTexture(mTexture);
        mTexture = nullptr;
        if (mRenderer) {
            mTexture = SDL_CreateTexture(mRenderer, SDL_PIXELFORMAT_XBGR8888,
                                         SDL_TEXTUREACCESS_STREAMING, width, height);
            if (!mTexture) {
                throw std::runtime_error(std::string("Could not create the view texture: ") +
                                         SDL_GetError());
            }
        }
    }

    void ShowGameWindow() override {
        if (!mWindow) return;
        SDL_ShowWindow(mWindow);
        SDL_RaiseWindow(mWindow);
    }

    void DestroyGameWindow() override {
        if (mTexture) SDL_DestroyTexture(mTexture);
        if (mRenderer) SDL_DestroyRenderer(mRenderer);
        if (mWindow) SDL_DestroyWindow(mWindow);
        mTexture = nullptr;
        mRenderer = nullptr;
        mWindow = nullptr;
        mView.Release();
    }

    gdi::HDC ViewDC() override { return mView.DC(); }

    void RefreshView() override {
        if (!mRenderer || !mTexture || !mView.Bitmap()) return;
        const gdi::COLORREF* pixels = gdi::BitmapColourPixels(mView.Bitmap());
        if (!pixels) return;
        SDL_UpdateTexture(mTexture, nullptr, pixels, mViewRect.w * 4);
        int outputWidth = 0, outputHeight = 0;
        SDL_GetRendererOutputSize(mRenderer, &outputWidth, &outputHeight);
        // What lies outside the view is undefined after a present: keep it black.
        if (mViewRect.x > 0 || mViewRect.y > 0 || mViewRect.x + mViewRect.w < outputWidth ||
            mViewRect.y + mViewRect.h < outputHeight) {
            SDL_SetRenderDrawColor(mRenderer, 0, 0, 0, 255);
            SDL_RenderClear(mRenderer);
        }
        SDL_RenderCopy(mRenderer, mTexture, nullptr, &mViewRect);
        SDL_RenderPresent(mRenderer);
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
                const int scan = event.key.keysym.scancode;
                const int code = VirtualKeyFromSdl(event.key.keysym.sym, scan);
                if (scan >= 0 && scan < SDL_NUM_SCANCODES) mPressedAs[scan] = code;
                mKeys.Press(code);
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
                mKeys.Release(code);
                break;
            }
            default:
                break;
            }
        }
        return close;
    }

    void GetKeyboardState(uint8_t table[256]) override { mKeys.CopyTo(table); }

    ScreenPoint GetCursorPos() override {
        int x = 0, y = 0;
        SDL_GetGlobalMouseState(&x, &y);
        return ScreenPoint{x, y};
    }

    int32_t ShowCursor(bool show) override {
        mCursorCount += show ? 1 : -1;
        SDL_ShowCursor(mCursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
        return mCursorCount;
    }

    void MessageBox(const std::string& text, const std::string& title) override {
        if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title.c_str(), text.c_str(),
                                     mWindow) != 0) {
            std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
        }
    }

    bool OpenAudio(int32_t frequency) override {
        if (!mAudio) mAudio = OpenSdlAudioDevice(frequency);
        return mAudio != nullptr;
    }
    AudioDevice* Audio() override { return mAudio.get(); }
    void CloseAudio() override { mAudio.reset(); }

    std::string AppPath() override {
        char buffer[4096];
        const ssize_t n = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
        if (n <= 0) return ".";
        std::string path(buffer, static_cast<size_t>(n));
        const size_t slash = path.rfind('/');
        if (slash == std::string::npos) return ".";
        return slash == 0 ? "/" : path.substr(0, slash);
    }

  private:
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
        mKeys.ReleaseAll();
        for (int& code : mPressedAs) code = 0;
    }

    SDL_Window* mWindow = nullptr;
    SDL_Renderer* mRenderer = nullptr;
    SDL_Texture* mTexture = nullptr;
    bool mFullScreen = false;
    SDL_Rect mViewRect{0, 0, 0, 0};
    ViewImage mView;
    KeyTable mKeys;
    int mPressedAs[SDL_NUM_SCANCODES] = {};
    int32_t mCursorCount = 0;
    std::unique_ptr<AudioDevice> mAudio;
};

} // namespace

std::unique_ptr<Host> CreateSdlHost() {
    return std::make_unique<SdlHost>();
}

} // namespace platform
