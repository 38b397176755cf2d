// present_bench: showing the view in a real window, each way the SDL backend
// offers, as the median time of RefreshView with a changing view and its
// ratio to a memcpy of the view in the same run. Needs a display.
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "cli/parser.h"
#include "gdi/raster.h"
#include "platform/host.h"
#include "platform_sdl/sdl_host.h"
#include "tools/toolkit/statistics.h"
#include "tools/toolkit/timing.h"

namespace {

using toolkit::Clock;
using toolkit::Median;
using toolkit::MemcpyMicros;
using toolkit::Micros;

int Present() {
    using platform_sdl::PresentMethod;
    std::printf("present: medians of RefreshView in a real window\n");
    for (const PresentMethod method :
         {PresentMethod::Texture, PresentMethod::LockedTexture, PresentMethod::WindowSurface}) {
        for (const auto& [w, h] : {std::pair{1023, 768}, std::pair{1920, 1080}}) {
            std::unique_ptr<platform::Host> host;
            try {
                platform_sdl::SdlHostSettings settings;
                settings.present = method;
                host = platform_sdl::CreateSdlHost(settings);
                platform::SetHost(host.get());
                host->CreateGameWindow("frame_bench", false);
                const int dw = host->DesktopWidth(), dh = host->DesktopHeight();
                if (dw < w || dh < h) {
                    std::printf("  %dx%d: the display (%dx%d) is smaller\n", w, h, dw, dh);
                    host->DestroyGameWindow();
                    platform::SetHost(nullptr);
                    continue;
                }
                host->PlaceGameWindow(0, 0, dw, dh);
                host->PlaceView((dw - w) / 2, (dh - h) / 2, w, h);
                host->ShowGameWindow();
            } catch (const std::exception& error) {
                std::fprintf(stderr, "frame_bench: %s\n", error.what());
                platform::SetHost(nullptr);
                return 1;
            }
            std::vector<double> times;
            for (int i = 0; i < 260; ++i) {
                gdi::FillSolidRect(host->ViewDC(), 0, 0, w, h, gdi::RGB(i & 255, 90, 200));
                host->DoEvents();
                const auto t0 = Clock::now();
                host->RefreshView();
                if (i >= 60) times.push_back(Micros(t0, Clock::now()));
            }
            const double copy = MemcpyMicros(w, h);
            std::printf("  %-28s %dx%d: %.0f us = %.1fx memcpy (%.0f us)\n",
                        platform_sdl::PresentMethodName(method), w, h, Median(times),
                        Median(times) / copy, copy);
            host->DestroyGameWindow();
            platform::SetHost(nullptr);
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    cli::Parser parser("present_bench",
                       "Times showing the view in a real window, each way there is, as a ratio\n"
                       "to a memcpy of the view in the same run (needs a display).");
    if (const std::optional<int> status = parser.Handle(argc, argv)) return *status;
    return Present();
}
