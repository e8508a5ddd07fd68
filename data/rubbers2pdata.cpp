#include "rubbers2pdata.h"

#include <new>

void releasePoint(void* item)
{
    auto* point = static_cast<S2PPoint*>(item);
    if (point == nullptr)
        return;
    point->sParams.clear();
    delete point;
}

RubberS2PData::~RubberS2PData()
{
    clearPoints();
    releasePoints();
}

S2PPoint* RubberS2PData::point(int32_t i)
{
    void** slot = get(i);
    if (slot == nullptr)
        return nullptr;
    if (*slot == nullptr) {
        auto* made = new (std::nothrow) S2PPoint;
        if (made == nullptr)
            return nullptr;
        try {
            made->sParams.resize(2, 2);
        } catch (const std::bad_alloc&) {
            delete made;
            return nullptr;
        }
        *slot = made;
    }
    return static_cast<S2PPoint*>(*slot);
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
}

void RubberS2PData::updateFreqSummary()
{
    if (itemCount == 0)
        return;
    freqFirst = point(0)->freq;
    freqLast = point(itemCount - 1)->freq;
    freqStep = itemCount > 1 ? (freqLast - freqFirst) / static_cast<double>(itemCount - 1) : 0.0;
}
