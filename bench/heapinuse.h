#pragma once

#include <cstddef>
#include <malloc.h>

// Heap in use as the allocator counts it: the blocks of its arenas and those it mapped from
// the kernel on their own (large and huge-page aligned blocks), its bookkeeping included.
inline size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}
