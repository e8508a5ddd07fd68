#include "largeblock.h"

#include <cstdint>
#include <new>
#include <sys/mman.h>

namespace {

constexpr std::align_val_t kHugePageAlignment { kHugePageBytes };

} // namespace

void* allocateLargeBlock(size_t bytes)
{
    // The aligned operator new rounds the size up to the alignment, which would wrap a size
    // near the top of the range around to a tiny block.
    if (bytes == 0 || bytes > SIZE_MAX / 2)
        return nullptr;
    if (bytes < kHugePageBytes)
        return ::operator new(bytes, std::nothrow);
    void* block = ::operator new(bytes, kHugePageAlignment, std::nothrow);
#ifdef MADV_HUGEPAGE
    // Only the whole huge pages: the advice must not reach memory beyond the block.
    if (block != nullptr)
        ::madvise(block, bytes / kHugePageBytes * kHugePageBytes, MADV_HUGEPAGE);
#endif
    return block;
}

void releaseLargeBlock(void* block, size_t bytes)
{
    if (bytes < kHugePageBytes)
        ::operator delete(block);
    else
        ::operator delete(block, kHugePageAlignment);
}
