// The trial's reports over the view: in what the window gets, never in the
// view the game reads back, and gone when their time is up.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "gdi/picture.h"
#include "gfx/modGraphic.h"
#include "launcher/trial_messages.h"
#include "platform/headless_host.h"

namespace {

constexpr gdi::COLORREF kSky = gdi::RGB(213, 210, 190);

// The window's side: what each refresh hands it.
class WindowCopy final : public platform::ForwardingHost {
  public:
    using ForwardingHost::ForwardingHost;
    void RefreshView() override {
        shown = gdi::BitmapPicture(gdi::CurrentBitmap(mInner.ViewDC()));
        mInner.RefreshView();
    }
    gdi::Picture shown;
};

// Pixels that are neither the view's own colour nor the panel's.
size_t Lettering(const gdi::Picture& picture) {
    return std::count_if(picture.pixels.begin(), picture.pixels.end(),
                         [](gdi::COLORREF c) { return c != kSky && c != gdi::RGB(24, 24, 24); });
}

} // namespace

TEST(TrialMessages, ShowInTheWindowOnlyAndForTheirTime) {
    platform::HeadlessHost host;
    host.PlaceView(0, 0, 400, 300);
    WindowCopy window(host);
    TrialMessageHost messages(window);
    const auto frame = [&] {
        FillRectGdi(host.ViewDC(), 0, 0, 400, 300, kSky);
        messages.RefreshView();
    };
    // Two seconds, then a report that stays, then nothing.
    messages.Show({"The game cannot play this picture:", "0 Newt 1-2-3.gif"},
                  platform::AddSeconds(host.Now(), 2));
    struct Step {
        const char* what;
        std::function<void()> before;
        bool lettering;
    } steps[] = {
        {"shown", [] {}, true},
        {"a second on", [] {}, true},
        {"its time up", [] {}, false},
        {"shown for good",
         [&] {
             messages.Show({"a report", "  warning: no white"});
         },
         true},
        {"an hour on", [&] { host.AdvanceMilliseconds(3600e3); }, true},
        {"cleared", [&] { messages.Clear(); }, false},
    };
    for (const Step& step : steps) {
        step.before();
        frame();
        EXPECT_EQ(Lettering(window.shown) > 200, step.lettering) << step.what;
        EXPECT_EQ(messages.Shown().empty(), !step.lettering) << step.what;
        // The game's own view is as the game drew it.
        EXPECT_EQ(Lettering(gdi::BitmapPicture(gdi::CurrentBitmap(host.ViewDC()))), 0u)
            << step.what;
        host.AdvanceMilliseconds(1000);
    }
}

// A report longer than the view says how much more there is.
TEST(TrialMessages, TheLinesPastTheViewAreCounted) {
    platform::HeadlessHost host;
    host.PlaceView(0, 0, 400, 120);
    WindowCopy window(host);
    TrialMessageHost messages(window);
    messages.Show(std::vector<std::string>(20, "  warning: a line"));
    FillRectGdi(host.ViewDC(), 0, 0, 400, 120, kSky);
    messages.RefreshView();
    // The panel ends above the view's lowest rows.
    const gdi::Picture& shown = window.shown;
    EXPECT_EQ(shown.pixels[static_cast<size_t>(shown.height - 1) * shown.width + 200], kSky);
    EXPECT_EQ(messages.Shown().size(), 20u);
}
