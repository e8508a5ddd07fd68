#include "pointarena.h"

#include <algorithm>
#include <cstdint>

#include "largeblock.h"

namespace {

constexpr size_t kFirstChunkBytes = 16 * 1024;

} // namespace

PointArena::~PointArena()
{
    release();
}

void* PointArena::allocate(size_t bytes)
{
    if (static_cast<size_t>(end_ - next_) < bytes && !addChunk(bytes))
        return nullptr;
    void* block = next_;
    next_ += bytes;
    return block;
}

bool PointArena::reserve(size_t bytes)
{
    // Below half a huge page the chunks that allocate adds serve as well. From there on one
    // block on huge pages costs a fault or a few instead of one per small page of the chunks;
    // trim gives back what the points leave of it.
    if (bytes < kHugePageBytes / 2 || static_cast<size_t>(end_ - next_) >= bytes)
        return true;
    return addChunk(std::max(bytes, kHugePageBytes - sizeof(Chunk)));
}

bool PointArena::addChunk(size_t atLeast)
{
    if (atLeast > SIZE_MAX - sizeof(Chunk))
        return false;
    size_t bytes = last_ == nullptr ? kFirstChunkBytes : last_->bytes * 2;
    if (bytes > kHugePageBytes)
        bytes = kHugePageBytes;
    if (bytes < atLeast + sizeof(Chunk))
        bytes = atLeast + sizeof(Chunk);
    void* memory = allocateLargeBlock(bytes);
    if (memory == nullptr)
        return false;
    auto* chunk = static_cast<Chunk*>(memory);
    chunk->previous = last_;
    chunk->bytes = bytes;
    last_ = chunk;
    next_ = static_cast<char*>(memory) + sizeof(Chunk);
    end_ = static_cast<char*>(memory) + bytes;
    return true;
}

void PointArena::adopt(PointArena& other)
{
    if (other.last_ == nullptr)
        return;
    if (last_ == nullptr) {
        last_ = other.last_;
        next_ = other.next_;
        end_ = other.end_;
    } else {
        Chunk* oldest = other.last_;
        while (oldest->previous != nullptr)
            oldest = oldest->previous;
        oldest->previous = last_->previous;
        last_->previous = other.last_;
    }
    other.last_ = nullptr;
    other.next_ = other.end_ = nullptr;
}

void PointArena::trim()
{
    if (last_ == nullptr)
        return;
    const auto* chunk = reinterpret_cast<const char*>(last_);
    releaseLargeBlockPages(last_, last_->bytes, static_cast<size_t>(next_ - chunk), last_->bytes);
}

void PointArena::release()
{
    while (last_ != nullptr) {
        Chunk* previous = last_->previous;
        releaseLargeBlock(last_, last_->bytes);
        last_ = previous;
    }
    next_ = end_ = nullptr;
}
