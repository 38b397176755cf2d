// The monotonic clock as the frame loop reads it: whole milliseconds since an
// origin, as a 32-bit value that wraps (timeGetTime), and a sleep to an
// absolute reading of it, so a frame starts on its deadline without spinning.
#pragma once

#include <cstdint>
#include <ctime>

namespace platform {

class MonotonicClock {
  public:
    MonotonicClock();
    uint32_t Milliseconds() const;
    // Sleeps until the clock reads `milliseconds` (at once when it already
    // does or is past it, comparing as the 32-bit value wraps). Returns how
    // late it woke, in nanoseconds (-1 when it did not sleep).
    int64_t SleepUntil(uint32_t milliseconds) const;

  private:
    int64_t ElapsedNanoseconds() const;
    timespec mOrigin{};
};

} // namespace platform
