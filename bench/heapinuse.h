#pragma once

#include <cstddef>
#include <fstream>
#include <malloc.h>
#include <unistd.h>

// Heap in use as the allocator counts it: the blocks of its arenas and those it mapped from
// the kernel on their own, its bookkeeping included.
inline size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The process's resident memory, which also counts the blocks mapped beside the allocator
// (the huge-page blocks of large buffers) as far as they are written.
inline size_t residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    size_t total = 0;
    size_t resident = 0;
    statm >> total >> resident;
    return resident * static_cast<size_t>(::sysconf(_SC_PAGESIZE));
}
