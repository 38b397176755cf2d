// The yardstick of the benchmarks: times in microseconds, and a memcpy of a
// view of the same size timed in the same run.
#pragma once

#include <chrono>

namespace toolkit {

using Clock = std::chrono::steady_clock;

inline double Micros(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::micro>(to - from).count();
}

// Median time of a memcpy of a width x height view of colour values.
double MemcpyMicros(int width, int height);

} // namespace toolkit
