#include "platform/monotonic_clock.h"

#include <cerrno>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

namespace platform {
namespace {
constexpr int64_t kNanosPerMilli = 1'000'000, kNanosPerSecond = 1'000'000'000;
}

MonotonicClock::MonotonicClock() {
    clock_gettime(CLOCK_MONOTONIC, &mOrigin);
}

int64_t MonotonicClock::ElapsedNanoseconds() const {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (now.tv_sec - mOrigin.tv_sec) * kNanosPerSecond + (now.tv_nsec - mOrigin.tv_nsec);
}

uint32_t MonotonicClock::Milliseconds() const {
    return static_cast<uint32_t>(ElapsedNanoseconds() / kNanosPerMilli);
}

int64_t MonotonicClock::SleepUntil(uint32_t milliseconds) const {
    const int64_t elapsed = ElapsedNanoseconds() / kNanosPerMilli;
    const int32_t ahead = static_cast<int32_t>(
        milliseconds - static_cast<uint32_t>(elapsed)); // wraps as the clock does
    if (ahead <= 0) return -1;
#ifdef __EMSCRIPTEN__
    // The page's one thread gives the browser its turn while it waits: that
    // is when the canvas shows and input arrives. Timers fire a millisecond
    // or two late, so the last two are waited out here.
    constexpr int32_t kTimerSlack = 2;
    emscripten_sleep(static_cast<unsigned>(ahead > kTimerSlack ? ahead - kTimerSlack : 0));
    const int64_t target = (elapsed + ahead) * kNanosPerMilli;
    while (ElapsedNanoseconds() < target) {
    }
    return ElapsedNanoseconds() - target;
#else
    const int64_t target = mOrigin.tv_nsec + (elapsed + ahead) * kNanosPerMilli;
    timespec when{};
    when.tv_sec = mOrigin.tv_sec + static_cast<time_t>(target / kNanosPerSecond);
    when.tv_nsec = static_cast<long>(target % kNanosPerSecond);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &when, nullptr) == EINTR) {
    }
    return ElapsedNanoseconds() - (elapsed + ahead) * kNanosPerMilli;
#endif
}

} // namespace platform
