// raster_bench: medians of repeated runs of the raster's per-frame work on
// views of 1023 x 768 and 1920 x 1080, with memcpy of the view and SDL2's
// colour-keyed blits (plain and RLE) of the same pictures as yardsticks.
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/parser.h"
#include "gdi/memory_canvas.h"
#include "gdi/raster.h"
#include "pictures.h"
#include "tools/toolkit/statistics.h"

namespace {

constexpr int kRuns = 50;

// Medians of several pieces of work timed in turns, so that the load of a
// shared machine falls on all of them alike.
std::vector<double> MedianMicros(const std::vector<std::function<void()>>& works) {
    for (const auto& w : works) w(); // warm caches and tables
    std::vector<std::vector<double>> times(works.size());
    for (int i = 0; i < kRuns; ++i) {
        for (size_t k = 0; k < works.size(); ++k) {
            const auto t0 = std::chrono::steady_clock::now();
            works[k]();
            const auto t1 = std::chrono::steady_clock::now();
            times[k].push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
        }
    }
    std::vector<double> medians;
    for (auto& t : times) medians.push_back(toolkit::Median(t));
    return medians;
}

double MedianOf(const std::function<void()>& work) {
    return MedianMicros(std::vector<std::function<void()>>{work})[0];
}

// A picture as the game holds it: image plus a mask keyed on black.
struct Sprite {
    gdi::MemoryCanvas image, mask;
    SDL_Surface* sdl = nullptr;
    explicit Sprite(const bench::Image& img)
        : image(img.width, img.height), mask(img.width, img.height, gdi::MemoryCanvas::kOneBit) {
        std::memcpy(gdi::BitmapColourPixels(image.bitmap()), img.pixels.data(),
                    img.pixels.size() * 4);
        gdi::BitmapTouched(image.bitmap());
        gdi::SetBkColor(image.dc(), 0);
        gdi::BitBlt(mask.dc(), 0, 0, img.width, img.height, image.dc(), 0, 0, gdi::SRCCOPY);
        sdl =
            SDL_CreateRGBSurfaceWithFormat(0, img.width, img.height, 32, SDL_PIXELFORMAT_XBGR8888);
        SDL_LockSurface(sdl);
        for (int y = 0; y < img.height; ++y)
            std::memcpy(static_cast<uint8_t*>(sdl->pixels) + static_cast<size_t>(y) * sdl->pitch,
                        img.pixels.data() + static_cast<size_t>(y) * img.width, img.width * 4u);
        SDL_UnlockSurface(sdl);
        SDL_SetColorKey(sdl, SDL_TRUE, 0);
    }
    ~Sprite() { SDL_FreeSurface(sdl); }
};

void Row(const char* name, double us, double memcpyUs, double peerUs = 0) {
    std::printf("  %-38s %9.1f us  %6.2f x memcpy", name, us, us / memcpyUs);
    if (peerUs > 0) std::printf("  %6.2f x peer", us / peerUs);
    std::printf("\n");
}

// The aims, from the figures of this run.
struct Aims {
    double longRunsToRle = 0;     // masked copy of the long-runs picture / SDL's RLE blit
    double scatteredToMemcpy = 0; // masked copy of the scattered picture / memcpy
};

Aims RunView(int w, int h) {
    std::printf("view %d x %d (median of %d runs)\n", w, h, kRuns);
    gdi::MemoryCanvas view(w, h);
    std::vector<uint32_t> copy(static_cast<size_t>(w) * h);
    uint32_t* viewPixels = gdi::BitmapColourPixels(view.bitmap());
    // SDL draws into the very same pixels, so every contender finds the
    // destination equally warm or cold.
    SDL_Surface* sdlView =
        SDL_CreateRGBSurfaceWithFormatFrom(viewPixels, w, h, 32, w * 4, SDL_PIXELFORMAT_XBGR8888);
    const std::vector<double> base =
        MedianMicros({[&] { std::memcpy(copy.data(), viewPixels, copy.size() * 4); },
                      [&] { gdi::FillSolidRect(view.dc(), 0, 0, w, h, 0); }});
    const double memcpyUs = base[0];
    Row("memcpy of the view", memcpyUs, memcpyUs);
    Row("clear (FillSolidRect)", base[1], memcpyUs);

    struct Case {
        const char* name;
        bench::Image img;
    };
    Case cases[] = {{"long runs", bench::LongRuns(w, h)},
                    {"scattered", bench::Scattered(w, h, 99)}};
    Aims aims;
    for (Case& c : cases) {
        Sprite sprite(c.img);
        SDL_Rect all{0, 0, w, h};
        // The plain and RLE forms of the SDL surface, timed in turns with ours.
        SDL_Surface* rle = SDL_DuplicateSurface(sprite.sdl);
        SDL_SetSurfaceRLE(sprite.sdl, 0);
        SDL_SetSurfaceRLE(rle, 1);
        const std::vector<double> t = MedianMicros({
            [&] {
                SDL_Rect d = all;
                SDL_BlitSurface(sprite.sdl, &all, sdlView, &d);
            },
            [&] {
                SDL_Rect d = all;
                SDL_BlitSurface(rle, &all, sdlView, &d);
            },
            [&] {
                gdi::TransparentBlt(view.dc(), 0, 0, w, h, sprite.image.dc(), sprite.mask.dc(), 0,
                                    0);
            },
            [&] {
                gdi::BitBlt(view.dc(), 0, 0, w, h, sprite.mask.dc(), 0, 0, gdi::SRCAND);
                gdi::BitBlt(view.dc(), 0, 0, w, h, sprite.image.dc(), 0, 0, gdi::SRCPAINT);
            },
            [&] { std::memcpy(copy.data(), viewPixels, copy.size() * 4); },
        });
        SDL_FreeSurface(rle);
        const double sdlPlain = t[0], sdlRle = t[1], fused = t[2], twoPass = t[3], turnCopy = t[4];
        std::printf(" picture with %s (ratios to the memcpy timed in the same turns):\n", c.name);
        Row("memcpy of the view", turnCopy, turnCopy);
        Row("SDL colour-keyed blit", sdlPlain, turnCopy);
        Row("SDL colour-keyed blit, RLE", sdlRle, turnCopy);
        Row("masked copy (TransparentBlt)", fused, turnCopy, std::min(sdlPlain, sdlRle));
        Row("masked copy as two BitBlts", twoPass, turnCopy, std::min(sdlPlain, sdlRle));
        if (&c == &cases[0]) {
            aims.longRunsToRle = fused / sdlRle;
        } else {
            aims.scatteredToMemcpy = fused / turnCopy;
        }
        // Same result as the two passes?
        std::vector<uint32_t> a(copy.size()), b(copy.size());
        gdi::FillSolidRect(view.dc(), 0, 0, w, h, 0x123456);
        gdi::TransparentBlt(view.dc(), 0, 0, w, h, sprite.image.dc(), sprite.mask.dc(), 0, 0);
        std::memcpy(a.data(), viewPixels, a.size() * 4);
        gdi::FillSolidRect(view.dc(), 0, 0, w, h, 0x123456);
        gdi::BitBlt(view.dc(), 0, 0, w, h, sprite.mask.dc(), 0, 0, gdi::SRCAND);
        gdi::BitBlt(view.dc(), 0, 0, w, h, sprite.image.dc(), 0, 0, gdi::SRCPAINT);
        std::memcpy(b.data(), viewPixels, b.size() * 4);
        if (a != b) std::printf("  MISMATCH between the fused and the two-pass copy\n");
    }

    std::printf(" small fills:\n");
    Row("400 rectangles 3 x 6 (FillSolidRect)", MedianOf([&] {
            for (int i = 0; i < 400; ++i) {
                const int x = (i * 37) % (w - 3), y = (i * 53) % (h - 6);
                gdi::FillSolidRect(view.dc(), x, y, x + 3, y + 6, 0xFFFFFF);
            }
        }),
        memcpyUs);
    Row("400 rectangles 3 x 6 (pen+brush+Rectangle)", MedianOf([&] {
            for (int i = 0; i < 400; ++i) {
                const int x = (i * 37) % (w - 3), y = (i * 53) % (h - 6);
                gdi::HPEN pen = gdi::CreatePen(gdi::PS_NULL, 1, 0xFF0000);
                gdi::HBRUSH brush = gdi::CreateSolidBrush(0xFFFFFF);
                gdi::HGDIOBJ oldPen = gdi::SelectObject(view.dc(), pen);
                gdi::HGDIOBJ oldBrush = gdi::SelectObject(view.dc(), brush);
                gdi::Rectangle(view.dc(), x, y, x + 4, y + 7);
                gdi::SelectObject(view.dc(), oldPen);
                gdi::SelectObject(view.dc(), oldBrush);
                gdi::DeleteObject(pen);
                gdi::DeleteObject(brush);
            }
        }),
        memcpyUs);
    Row("HUD text: two boxes, font made per call", MedianOf([&] {
            for (int i = 0; i < 2; ++i) {
                gdi::LOGFONT lf{};
                lf.lfHeight = i == 0 ? -40 : -27;
                lf.lfWeight = gdi::FW_BOLD;
                std::strcpy(lf.lfFaceName, "Arial");
                gdi::HFONT font = gdi::CreateFontIndirectA(lf);
                gdi::HGDIOBJ old = gdi::SelectObject(view.dc(), font);
                const int mode = gdi::SetBkMode(view.dc(), gdi::TRANSPARENT);
                gdi::SetTextColor(view.dc(), 0xFFFFFF);
                gdi::RECT r{w - 420, 10 + 30 * i, w - 20, 35 + 30 * i};
                gdi::DrawTextA(view.dc(), "Hit points: 1200", -1, &r,
                               gdi::DT_RIGHT | gdi::DT_NOCLIP);
                gdi::SetBkMode(view.dc(), mode);
                gdi::SelectObject(view.dc(), old);
                gdi::DeleteObject(font);
            }
        }),
        memcpyUs);
    SDL_FreeSurface(sdlView);
    return aims;
}

} // namespace

int main(int argc, char** argv) {
    cli::Parser parser("raster_bench",
                       "Times the raster's clears, masked copies and small fills on views of\n"
                       "1023 x 768 and 1920 x 1080 against memcpy of the view and SDL's\n"
                       "colour-keyed blits of the same pictures, then says whether the aims are "
                       "met.");
    if (const std::optional<int> status = parser.Handle(argc, argv)) return *status;
    const std::pair<int, int> sizes[] = {{1023, 768}, {1920, 1080}};
    Aims aims[2];
    for (int k = 0; k < 2; ++k) aims[k] = RunView(sizes[k].first, sizes[k].second);
    std::printf("aims, from the figures above:\n");
    for (int k = 0; k < 2; ++k) {
        const Aims& a = aims[k];
        std::printf("  %dx%d: long runs %.2fx SDL's RLE blit (aim <= 0.90x: %s); scattered "
                    "%.2fx memcpy (aim <= 1.60x: %s)\n",
                    sizes[k].first, sizes[k].second, a.longRunsToRle,
                    a.longRunsToRle <= 0.9 ? "met" : "not met", a.scatteredToMemcpy,
                    a.scatteredToMemcpy <= 1.6 ? "met" : "not met");
    }
    return 0;
}
