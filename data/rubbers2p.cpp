#include "rubbers2p.h"

#include <atomic>
#include <new>

void releaseMeasurement(void* item)
{
    delete static_cast<RubberS2PData*>(item);
}

RubberS2P::~RubberS2P()
{
    removeAll();
}

RubberS2PData* RubberS2P::measurement(int32_t i)
{
    void** slot = get(i);
    if (slot == nullptr)
        return nullptr;
    if (*slot == nullptr) {
        auto* made = new (std::nothrow) RubberS2PData;
        if (made == nullptr)
            return nullptr;
        *slot = made;
    }
    return static_cast<RubberS2PData*>(*slot);
}

void RubberS2P::lockAll()
{
    // Empty slots get their measurement before the snapshot is taken: made while locked, it
    // would live in the snapshot alone and be lost when the lock is released.
    for (int32_t i = 0; i < itemCount; ++i)
        measurement(i);
    lockArray();
    // Each measurement's snapshot walks its own list of points, so they are taken in parallel;
    // the list's snapshot makes measurement() a plain read meanwhile.
    std::atomic<bool> outOfMemory { false };
#pragma omp parallel for schedule(dynamic, 16) if (itemCount > 1)
    for (int32_t i = 0; i < itemCount; ++i) {
        RubberS2PData* m = measurement(i);
        if (m == nullptr || outOfMemory)
            continue;
        try {
            m->lockArray();
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
        }
    }
    if (outOfMemory)
        throw std::bad_alloc();
}

void RubberS2P::releaseAll()
{
    for (int32_t i = 0; i < itemCount; ++i) {
        RubberS2PData* m = measurement(i);
        if (m != nullptr)
            m->releaseArray();
    }
    releaseArray();
}

void RubberS2P::removeMeasurement(int32_t i)
{
    deleteItem(i, releaseMeasurement);
}

void RubberS2P::removeAll()
{
    free(releaseMeasurement);
}
