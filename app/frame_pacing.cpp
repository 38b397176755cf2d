#include "app/frame_pacing.h"

#include "platform/host.h"

namespace {
int32_t Clock() {
    return static_cast<int32_t>(platform::host().TimeGetTime());
}
// Differences wrap as the 32-bit clock does.
int32_t Ahead(int32_t deadline, int32_t now) {
    return static_cast<int32_t>(static_cast<uint32_t>(deadline) - static_cast<uint32_t>(now));
}
} // namespace

void WaitForFrameDeadline(int32_t frameDeadline) {
    [[maybe_unused]] bool slept = false;
    for (;;) {
        const int32_t t1 = Clock();
        const int32_t t2 = Clock();
        // Past the deadline as the clock wraps, not as signed numbers: a frame
        // that ends just after the clock turns negative would wait 24 days.
        if (Ahead(frameDeadline, t2) >= 30 || Ahead(frameDeadline, t1) <= 0) {
#ifdef __EMSCRIPTEN__
            // The page has one thread: a late frame still lets the browser
            // show the canvas and deliver input, or a slow machine would hang.
            if (!slept) platform::host().Sleep(0);
#endif
            return;
        }
        // One sleep to the deadline itself on the clock it was read from: the
        // frame starts on time without spinning through the last milliseconds.
        platform::host().SleepUntil(static_cast<uint32_t>(frameDeadline));
        slept = true;
    }
}

int32_t NextFrameDeadline() {
    return static_cast<int32_t>(platform::host().TimeGetTime() + kFrameMilliseconds);
}
