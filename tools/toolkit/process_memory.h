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

} // namespace toolkit
