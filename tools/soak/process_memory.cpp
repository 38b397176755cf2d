#include "tools/soak/process_memory.h"

#include <malloc.h>
#include <unistd.h>

#include <fstream>

#include "gdi/raster.h"

ProcessMemory MeasureProcessMemory() {
    // Freed memory goes back to the system first, so that the resident size
    // follows what is held rather than the largest monster so far.
    malloc_trim(0);
    ProcessMemory m;
    std::ifstream statm("/proc/self/statm");
    uint64_t size = 0, resident = 0;
    statm >> size >> resident;
    m.resident = resident * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
    const struct mallinfo2 info = mallinfo2();
    m.heap = info.uordblks + info.hblkhd;
    m.bitmaps = gdi::BitmapMemoryInUse();
    return m;
}
