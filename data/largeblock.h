#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

// Blocks for large buffers. A block of kHugePageBytes or more is mapped straight from the
// kernel, starts on a huge-page boundary and asks for transparent huge pages, so that filling
// it costs one page fault per 2 MiB instead of one per 4 KiB where the kernel offers them;
// elsewhere the request is ignored and the block works with small pages. Only the pages that
// are written become resident. Smaller blocks are plain heap blocks.
constexpr size_t kHugePageBytes = size_t { 2 } << 20;

// An uninitialised block of bytes (more than 0); null when no memory is left.
void* allocateLargeBlock(size_t bytes);
// Gives back a block of allocateLargeBlock with the size it was asked for; accepts null.
void releaseLargeBlock(void* block, size_t bytes);
// Gives the pages of such a block that lie wholly between offsets from and to back to the
// kernel while the block stays mapped: they read as zeros afterwards. A block below
// kHugePageBytes, a heap block, keeps its memory.
void releaseLargeBlockPages(void* block, size_t bytes, size_t from, size_t to);

// The size to ask allocateLargeBlock for, for a block of bytes that is filled at once and lives
// briefly: from half a huge page up a whole huge page at least, filled with one page fault
// instead of one per small page. Only for a brief block: a huge page is resident whole.
constexpr size_t briefBlockBytes(size_t bytes)
{
    return bytes >= kHugePageBytes / 2 && bytes < kHugePageBytes ? kHugePageBytes : bytes;
}

// Hands a container's brief memory out as large blocks (briefBlockBytes), so that a long one
// lies on huge pages.
template <typename T> struct LargeBlockAllocator {
    using value_type = T;
    LargeBlockAllocator() = default;
    template <typename U> LargeBlockAllocator(const LargeBlockAllocator<U>&) { }
    T* allocate(size_t n)
    {
        void* block
            = n <= SIZE_MAX / sizeof(T) ? allocateLargeBlock(briefBlockBytes(n * sizeof(T))) : nullptr;
        if (block == nullptr)
            throw std::bad_alloc();
        return static_cast<T*>(block);
    }
    void deallocate(T* block, size_t n) { releaseLargeBlock(block, briefBlockBytes(n * sizeof(T))); }
    template <typename U> bool operator==(const LargeBlockAllocator<U>&) const { return true; }
};

// A large block kept for reuse: it is made anew only when more room is asked for than it has,
// so that buffers refilled over and over are not paged in again each time.
class ReusedLargeBlock {
public:
    ReusedLargeBlock() = default;
    ReusedLargeBlock(const ReusedLargeBlock&) = delete;
    ReusedLargeBlock& operator=(const ReusedLargeBlock&) = delete;
    ~ReusedLargeBlock() { release(); }

    // At least bytes of room (more than 0), the contents not kept when it grows; null when no
    // memory is left, the block then being empty.
    void* reserve(size_t bytes);
    void release();
    // The room held; 0 when empty.
    size_t size() const { return bytes_; }

private:
    void* block_ = nullptr;
    size_t bytes_ = 0;
};
