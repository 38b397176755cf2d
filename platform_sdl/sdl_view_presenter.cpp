#include "platform_sdl/sdl_view_presenter.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace platform_sdl {

// The backend implements the platform's interfaces in their own terms.
using namespace platform;
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

    SDL_Point OutputSize() override {
        SDL_Point size{0, 0};
        SDL_GetRendererOutputSize(mRenderer, &size.x, &size.y);
        return size;
    }

    void Present(const SDL_Rect& destination, bool smooth) override {
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
        const SDL_Point output = OutputSize();
        // What lies outside the view is undefined after a present: keep it black.
        if (destination.x > 0 || destination.y > 0 || destination.x + destination.w < output.x ||
            destination.y + destination.h < output.y) {
            SDL_SetRenderDrawColor(mRenderer, 0, 0, 0, 255);
            SDL_RenderClear(mRenderer);
        }
        SDL_SetTextureScaleMode(mTexture, smooth ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
        SDL_RenderCopy(mRenderer, mTexture, nullptr, &destination);
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

    SDL_Point OutputSize() override {
        SDL_Point size{0, 0};
        SDL_GetWindowSizeInPixels(mWindow, &size.x, &size.y);
        return size;
    }

    // Whole-pixel scaling only: a smooth shrink is left to the texture.
    void Present(const SDL_Rect& destination, bool /*smooth*/) override {
        if (!mSource) return;
        SDL_Surface* target = SDL_GetWindowSurface(mWindow);
        if (!target) return;
        SDL_Rect to = destination;
        const bool fresh = target != mTarget || to.x != mLast.x || to.y != mLast.y ||
                           to.w != mLast.w || to.h != mLast.h;
        if (fresh) {
            // A new surface or place starts undefined: black around the view.
            SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 0, 0, 0));
            mTarget = target;
            mLast = destination;
        }
        if (to.w == mView.w && to.h == mView.h) {
            SDL_BlitSurface(mSource, nullptr, target, &to);
        } else {
            SDL_BlitScaled(mSource, nullptr, target, &to);
        }
        if (fresh) {
            SDL_UpdateWindowSurface(mWindow);
        } else {
            SDL_UpdateWindowSurfaceRects(mWindow, &to, 1);
        }
    }

  private:
    SDL_Window* mWindow;
    SDL_Surface* mSource = nullptr;
    SDL_Surface* mTarget = nullptr;
    SDL_Rect mView{0, 0, 0, 0}, mLast{0, 0, 0, 0};
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

} // namespace platform_sdl
