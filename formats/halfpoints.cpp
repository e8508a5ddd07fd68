#include "halfpoints.h"

#include <cstdint>
#include <new>

bool HalfPoints::reserve(size_t count)
{
    try {
        points_.reserve(count);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return reservePointMemory(memory_, count);
}

S2PPoint* HalfPoints::append()
{
    S2PPoint* point = makePoint(memory_);
    if (point == nullptr)
        return nullptr;
    try {
        points_.push_back(point);
    } catch (const std::bad_alloc&) {
        releasePoint(point);
        return nullptr;
    }
    return point;
}

bool HalfPoints::joinTo(RubberS2PData& measurement)
{
    // The room reserved beyond the last point goes back before the measurement takes the memory.
    memory_.trim();
    const bool joined = measurement.adoptPoints(memory_, points_.data(), count());
    points_.clear();
    return joined;
}
