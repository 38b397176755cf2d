#include "tools/toolkit/process_memory.h"

#include <malloc.h>
#include <unistd.h>

#include <fstream>

#include "gdi/raster.h"

namespace toolkit {

uint64_t ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    uint64_t size = 0, resident = 0;
    statm >> size >> resident;
    return resident * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
}

uint64_t HeapBytes() {
#ifdef __EMSCRIPTEN__ // an older C library: the same counts, narrower
    const struct mallinfo info = mallinfo();
#else
    const struct mallinfo2 info = mallinfo2();
#endif
    return info.uordblks + info.hblkhd;
}

ProcessMemory MeasureProcessMemory() {
    // Freed memory goes back to the system first, so that the resident size
    // follows what is held rather than the largest monster so far.
#ifndef __EMSCRIPTEN__
    malloc_trim(0);
#endif
    ProcessMemory m;
    m.resident = ResidentBytes();
    m.heap = HeapBytes();
    m.bitmaps = gdi::BitmapMemoryInUse();
    return m;
}

} // namespace toolkit
