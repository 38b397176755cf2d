// How much memory this process holds, three ways.
#pragma once

#include <cstdint>

namespace toolkit {

struct ProcessMemory {
    uint64_t resident = 0; // pages in RAM
    uint64_t heap = 0;     // bytes handed out by malloc, small blocks and mapped ones
    uint64_t bitmaps = 0;  // bytes held by live bitmaps of the raster
};

// Hands freed heap memory back to the system before measuring.
ProcessMemory MeasureProcessMemory();

// Each alone, as it is now.
uint64_t ResidentBytes();
uint64_t HeapBytes();

// AddressSanitizer keeps its own heap and holds freed memory back: the sizes
// say nothing there (malloc's own figures stay at 0).
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kMemoryFiguresMeanSomething = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kMemoryFiguresMeanSomething = false;
#else
inline constexpr bool kMemoryFiguresMeanSomething = true;
#endif
#else
inline constexpr bool kMemoryFiguresMeanSomething = true;
#endif

} // namespace toolkit
