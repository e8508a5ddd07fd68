#include "largeblock.h"

#include <cstdint>
#include <new>
#include <sys/mman.h>
#include <unistd.h>

namespace {

size_t hugePageRounded(size_t bytes)
{
    return (bytes + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
}

} // namespace

void* allocateLargeBlock(size_t bytes)
{
    if (bytes == 0 || bytes > SIZE_MAX / 2)
        return nullptr;
    if (bytes < kHugePageBytes)
        return ::operator new(bytes, std::nothrow);

    // Map one huge page more than the rounded size and unmap what lies before the first
    // boundary and after the block, so that the kernel can back it with whole huge pages.
    const size_t length = hugePageRounded(bytes);
    void* mapped = ::mmap(
        nullptr, length + kHugePageBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        return nullptr;
    auto* raw = static_cast<char*>(mapped);
    const size_t head = (kHugePageBytes - reinterpret_cast<uintptr_t>(raw) % kHugePageBytes) % kHugePageBytes;
    if (head > 0)
        ::munmap(raw, head);
    ::munmap(raw + head + length, kHugePageBytes - head);
    char* block = raw + head;
#ifdef MADV_HUGEPAGE
    ::madvise(block, length, MADV_HUGEPAGE);
#endif
    return block;
}

void releaseLargeBlockPages(void* block, size_t bytes, size_t from, size_t to)
{
    if (block == nullptr || bytes < kHugePageBytes)
        return;
    const auto page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
    const size_t first = (from + page - 1) / page * page;
    const size_t last = (to < bytes ? to : bytes) / page * page;
    if (first < last)
        ::madvise(static_cast<char*>(block) + first, last - first, MADV_DONTNEED);
}

void releaseLargeBlock(void* block, size_t bytes)
{
    if (block == nullptr)
        return;
    if (bytes < kHugePageBytes)
        ::operator delete(block);
    else
        ::munmap(block, hugePageRounded(bytes));
}

void* ReusedLargeBlock::reserve(size_t bytes)
{
    if (block_ != nullptr && bytes <= bytes_)
        return block_;
    release();
    block_ = allocateLargeBlock(bytes);
    bytes_ = block_ != nullptr ? bytes : 0;
    return block_;
}

void ReusedLargeBlock::release()
{
    releaseLargeBlock(block_, bytes_);
    block_ = nullptr;
    bytes_ = 0;
}
