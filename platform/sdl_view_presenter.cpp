#include "platform/sdl_view_presenter.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace platform {
namespace {

[[noreturn]] void Fail(const char* what) {
    throw std::runtime_error(std::string(what) + ": " + SDL_GetError());
}

// The renderer's streaming texture, filled by SDL_UpdateTexture or by writing
// into the locked texture, then drawn and presented.
class TexturePresenter final : public ViewPresenter {
  public:
    TexturePresenter(SDL_Window* window, bool locked) : mLocked(locked) {
        mRenderer = SDL_CreateRenderer(window, -1, 0);
        if (!mRenderer) mRenderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
        if (!mRenderer) Fail("Could not create the renderer");
    }
    ~TexturePresenter() override {
        if (mTexture) SDL_DestroyTexture(mTexture);
        SDL_DestroyRenderer(mRenderer);
    }

    void Place(const SDL_Rect& view, const gdi::COLORREF* pixels) override {
        mPixels = pixels;
        if (mTexture && view.w == mView.w && view.h == mView.h) {
            mView = view;
            return;
        }
        mView = view;
        if (mTexture) SDL_DestroyTexture(mTexture);
        mTexture = SDL_CreateTexture(mRenderer, SDL_PIXELFORMAT_XBGR8888,
                                     SDL_TEXTUREACCESS_STREAMING, view.w, view.h);
        if (!mTexture) Fail("Could not create the view texture");
    }

    void Present() override {
        if (!mTexture || !mPixels) return;
        if (mLocked) {
            void* target = nullptr;
            int pitch = 0;
            if (SDL_LockTexture(mTexture, nullptr, &target, &pitch) != 0) return;
            const size_t row = static_cast<size_t>(mView.w) * 4;
            for (int y = 0; y < mView.h; ++y) {
                std::memcpy(static_cast<uint8_t*>(target) + static_cast<size_t>(y) * pitch,
                            mPixels + static_cast<size_t>(y) * mView.w, row);
            }
            SDL_UnlockTexture(mTexture);
        } else {
            SDL_UpdateTexture(mTexture, nullptr, mPixels, mView.w * 4);
        }
        int outputWidth = 0, outputHeight = 0;
        SDL_GetRendererOutputSize(mRenderer, &outputWidth, &outputHeight);
        // What lies outside the view is undefined after a present: keep it black.
        if (mView.x > 0 || mView.y > 0 || mView.x + mView.w < outputWidth ||
            mView.y + mView.h < outputHeight) {
            SDL_SetRenderDrawColor(mRenderer, 0, 0, 0, 255);
            SDL_RenderClear(mRenderer);
        }
        SDL_RenderCopy(mRenderer, mTexture, nullptr, &mView);
        SDL_RenderPresent(mRenderer);
    }

  private:
    bool mLocked;
    SDL_Renderer* mRenderer = nullptr;
    SDL_Texture* mTexture = nullptr;
    SDL_Rect mView{0, 0, 0, 0};
    const gdi::COLORREF* mPixels = nullptr;
};

// The window's own surface: the view converted into it in one pass, and only
// the view's rectangle sent to the display.
class WindowSurfacePresenter final : public ViewPresenter {
  public:
    explicit WindowSurfacePresenter(SDL_Window* window) : mWindow(window) {}
    ~WindowSurfacePresenter() override {
        if (mSource) SDL_FreeSurface(mSource);
    }

    void Place(const SDL_Rect& view, const gdi::COLORREF* pixels) override {
        mView = view;
        if (mSource) SDL_FreeSurface(mSource);
        mSource =
            SDL_CreateRGBSurfaceWithFormatFrom(const_cast<gdi::COLORREF*>(pixels), view.w, view.h,
                                               32, view.w * 4, SDL_PIXELFORMAT_XBGR8888);
        if (!mSource) Fail("Could not wrap the view's image");
        mTarget = nullptr; // the border is painted again
    }

    void Present() override {
        if (!mSource) return;
        SDL_Surface* target = SDL_GetWindowSurface(mWindow);
        if (!target) return;
        if (target != mTarget) {
            // A new window surface starts undefined: black around the view.
            SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 0, 0, 0));
            mTarget = target;
            SDL_Rect view = mView;
            SDL_BlitSurface(mSource, nullptr, target, &view);
            SDL_UpdateWindowSurface(mWindow);
            return;
        }
        SDL_Rect view = mView;
        SDL_BlitSurface(mSource, nullptr, target, &view);
        SDL_Rect shown = mView;
        SDL_IntersectRect(&shown, &view, &shown);
        SDL_UpdateWindowSurfaceRects(mWindow, &shown, 1);
    }

  private:
    SDL_Window* mWindow;
    SDL_Surface* mSource = nullptr;
    SDL_Surface* mTarget = nullptr;
    SDL_Rect mView{0, 0, 0, 0};
};

} // namespace

std::unique_ptr<ViewPresenter> MakeViewPresenter(PresentMethod method, SDL_Window* window) {
    switch (method) {
    case PresentMethod::WindowSurface:
        return std::make_unique<WindowSurfacePresenter>(window);
    case PresentMethod::LockedTexture:
        return std::make_unique<TexturePresenter>(window, true);
    case PresentMethod::Texture:
    default:
        return std::make_unique<TexturePresenter>(window, false);
    }
}

} // namespace platform
