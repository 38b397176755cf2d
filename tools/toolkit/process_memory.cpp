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
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

ProcessMemory MeasureProcessMemory() {
    // Freed memory goes back to the system first, so that the resident size
    // follows what is held rather than the largest monster so far.
    malloc_trim(0);
    ProcessMemory m;
    m.resident = ResidentBytes();
    m.heap = HeapBytes();
    m.bitmaps = gdi::BitmapMemoryInUse();
    return m;
}

} // namespace toolkit
