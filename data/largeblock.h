#pragma once

#include <cstddef>

// Blocks for large buffers. A block of kHugePageBytes or more starts on a huge-page boundary
// and asks the kernel for transparent huge pages over its whole huge pages, so that filling it
// costs one page fault per 2 MiB instead of one per 4 KiB where the kernel offers them;
// elsewhere the request is ignored and the block works with small pages. Smaller blocks are
// plain heap blocks. All come from the non-throwing operator new, so that the allocator counts
// them as any other and a failure shows as null.
constexpr size_t kHugePageBytes = size_t { 2 } << 20;

// An uninitialised block of bytes (more than 0); null when no memory is left.
void* allocateLargeBlock(size_t bytes);
// Gives back a block of allocateLargeBlock with the size it was asked for; accepts null.
void releaseLargeBlock(void* block, size_t bytes);
