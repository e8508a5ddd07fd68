#pragma once

#include <cstddef>

// Memory for the points of one measurement and their matrix blocks: handed out in order from
// chunks that double in size up to a huge page, and given back only all at once, so that a
// point costs neither a heap allocation nor a heap header of its own.
class PointArena {
public:
    PointArena() = default;
    PointArena(const PointArena&) = delete;
    PointArena& operator=(const PointArena&) = delete;
    ~PointArena();

    // bytes (a multiple of 8) aligned for doubles; null when no memory is left.
    void* allocate(size_t bytes);
    // Makes room for bytes more in one chunk, so that a count of points known beforehand, from
    // half a huge page up, comes from a single block on huge pages; false when no memory is
    // left for it.
    bool reserve(size_t bytes);
    // Gives back every chunk; what allocate handed out is gone.
    void release();
    // Takes the chunks of other over, with what allocate handed out from them; other is empty
    // afterwards. Allocation goes on in this arena's newest chunk.
    void adopt(PointArena& other);
    // Gives the pages of the newest chunk that allocate has not reached back to the kernel, so
    // that a complete measurement holds no spare memory; later allocations still succeed.
    void trim();

private:
    struct Chunk {
        Chunk* previous;
        size_t bytes;
    };
    bool addChunk(size_t atLeast);

    Chunk* last_ = nullptr;
    char* next_ = nullptr;
    char* end_ = nullptr;
};
