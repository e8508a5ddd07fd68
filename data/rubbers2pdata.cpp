#include "rubbers2pdata.h"

#include <atomic>
#include <cstddef>
#include <new>

static_assert(offsetof(S2PPoint, sParams) + sizeof(ComplexMatrix) == sizeof(S2PPoint),
    "a point's matrix is placed in the bytes right behind the point");

void releasePoint(void* item)
{
    auto* point = static_cast<S2PPoint*>(item);
    if (point == nullptr)
        return;
    point->~S2PPoint();
}

uint64_t RubberS2PData::nextSerial()
{
    static std::atomic<uint64_t> made { 0 };
    return ++made;
}

RubberS2PData::~RubberS2PData()
{
    clearPoints();
    releasePoints();
}

size_t madePointBytes()
{
    return sizeof(S2PPoint) + ComplexMatrix::storageBytes(2, 2);
}

bool reservePointMemory(PointArena& arena, size_t count)
{
    return count <= SIZE_MAX / madePointBytes() && arena.reserve(count * madePointBytes());
}

S2PPoint* makePoint(PointArena& arena)
{
    void* block = arena.allocate(madePointBytes());
    if (block == nullptr)
        return nullptr;
    auto* made = new (block) S2PPoint;
    made->sParams.placeBehind(2, 2);
    return made;
}

S2PPoint* RubberS2PData::point(int32_t i)
{
    void** slot = get(i);
    if (slot == nullptr)
        return nullptr;
    if (*slot == nullptr) {
        S2PPoint* made = makePoint(pointMemory);
        if (made == nullptr)
            return nullptr;
        *slot = made;
    }
    return static_cast<S2PPoint*>(*slot);
}

bool RubberS2PData::adoptPoints(PointArena& memory, S2PPoint* const* points, int32_t count)
{
    pointMemory.adopt(memory);
    for (int32_t k = 0; k < count; ++k) {
        void** slot = get(itemCount);
        if (slot == nullptr) {
            for (int32_t rest = k; rest < count; ++rest)
                releasePoint(points[rest]);
            return false;
        }
        *slot = points[k];
    }
    return true;
}

void RubberS2PData::clearPoints()
{
    if (dataValid == 0)
        return;
    dataValid = 0;
    releasePoints();
}

void RubberS2PData::releasePoints()
{
    free(releasePoint);
    pointMemory.release();
}

void RubberS2PData::trimPoints()
{
    pointMemory.trim();
}

bool RubberS2PData::reservePoints(size_t count)
{
    return reservePointMemory(pointMemory, count);
}

void RubberS2PData::updateFreqSummary()
{
    if (itemCount == 0)
        return;
    freqFirst = point(0)->freq;
    freqLast = point(itemCount - 1)->freq;
    freqStep = itemCount > 1 ? (freqLast - freqFirst) / static_cast<double>(itemCount - 1) : 0.0;
}
