#include "largeblock.h"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace {

size_t pageRounded(size_t bytes)
{
    const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
    return (bytes + page - 1) / page * page;
}

void* mapped(size_t bytes)
{
    void* block = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return block == MAP_FAILED ? nullptr : block;
}

} // namespace

void* allocateLargeBlock(size_t bytes)
{
    if (bytes == 0 || bytes > SIZE_MAX / 2)
        return nullptr;
    const size_t length = pageRounded(bytes);
    if (length < kHugePageBytes)
        return mapped(length);

    // Map one huge page more than needed and unmap what lies before the first boundary and
    // after the block, so that the kernel can back it with whole huge pages.
    auto* raw = static_cast<char*>(mapped(length + kHugePageBytes));
    if (raw == nullptr)
        return nullptr;
    const uintptr_t address = reinterpret_cast<uintptr_t>(raw);
    const size_t head = (kHugePageBytes - address % kHugePageBytes) % kHugePageBytes;
    if (head > 0)
        ::munmap(raw, head);
    if (kHugePageBytes - head > 0)
        ::munmap(raw + head + length, kHugePageBytes - head);
    char* block = raw + head;
#ifdef MADV_HUGEPAGE
    ::madvise(block, length, MADV_HUGEPAGE);
#endif
    return block;
}

void releaseLargeBlock(void* block, size_t bytes)
{
    if (block != nullptr)
        ::munmap(block, pageRounded(bytes));
}
