#pragma once

#include <cstdint>
#include <vector>

#include "largeblock.h"
#include "rubbers2pdata.h"

// The points that a helper thread makes for one measurement from its part of a file, in memory
// of their own, until they join the measurement behind the points read before them.
class HalfPoints {
public:
    // Room for about count points, more still fitting; false when no memory is left for it.
    bool reserve(size_t count);
    // A new point behind the others; null when no memory is left.
    S2PPoint* append();
    int32_t count() const { return static_cast<int32_t>(points_.size()); }
    // Appends the points to measurement; false when no memory is left for its array.
    bool joinTo(RubberS2PData& measurement);

private:
    PointArena memory_;
    std::vector<S2PPoint*, LargeBlockAllocator<S2PPoint*>> points_;
};
