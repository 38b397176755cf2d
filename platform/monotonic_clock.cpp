#include "platform/monotonic_clock.h"

#include <cerrno>

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
    const int64_t target = mOrigin.tv_nsec + (elapsed + ahead) * kNanosPerMilli;
    timespec when{};
    when.tv_sec = mOrigin.tv_sec + static_cast<time_t>(target / kNanosPerSecond);
    when.tv_nsec = static_cast<long>(target % kNanosPerSecond);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &when, nullptr) == EINTR) {
    }
    return ElapsedNanoseconds() - (elapsed + ahead) * kNanosPerMilli;
}

} // namespace platform
