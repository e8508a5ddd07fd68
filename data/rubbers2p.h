#pragma once

#include <cstdint>

#include "rubbers2pdata.h"

// Most measurements the window holds open at once; a file that would yield more is not read.
constexpr int32_t maxListMeasurements = 2045;

// Releases a measurement made by RubberS2P::measurement; accepts null.
void releaseMeasurement(void* item);

// The list of loaded measurements, in the order the loader made them or the main window
// arranged them. It owns its measurements.
class RubberS2P final : public RubberItem {
public:
    RubberS2P() = default;
    RubberS2P(const RubberS2P&) = delete;
    RubberS2P& operator=(const RubberS2P&) = delete;
    ~RubberS2P();

    // The measurement of index i, made empty when its slot is empty; null when no memory is
    // left. While locked, a plain read of the snapshot.
    RubberS2PData* measurement(int32_t i);

    // Locks the list and every measurement in it so that parallel loops may read them.
    void lockAll();
    void releaseAll();

    // Removes the measurement of index i; the ones above move down.
    void removeMeasurement(int32_t i);
    // Releases every measurement; the list is empty afterwards.
    void removeAll();

    using RubberItem::order;
};
