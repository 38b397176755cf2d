#include "tools/toolkit/timing.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "tools/toolkit/statistics.h"

namespace toolkit {

double MemcpyMicros(int width, int height) {
    const size_t bytes = static_cast<size_t>(width) * height * 4;
    std::vector<uint8_t> a(bytes, 1), b(bytes, 2);
    std::vector<double> times;
    for (int i = 0; i < 60; ++i) {
        const auto t0 = Clock::now();
        std::memcpy(i % 2 ? a.data() : b.data(), i % 2 ? b.data() : a.data(), bytes);
        times.push_back(Micros(t0, Clock::now()));
    }
    return Median(times);
}

} // namespace toolkit
