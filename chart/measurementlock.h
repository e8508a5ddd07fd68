#pragma once

#include <new>

#include "rubbers2p.h"

// Keeps the measurement list and every measurement locked, so that loops (parallel ones
// included) read them as plain arrays, and releases them however the work ends.
class MeasurementLock {
public:
    explicit MeasurementLock(RubberS2P& list)
        : measurements(list)
    {
        try {
            measurements.lockAll();
        } catch (const std::bad_alloc&) {
            measurements.releaseAll();
            throw;
        }
    }
    MeasurementLock(const MeasurementLock&) = delete;
    MeasurementLock& operator=(const MeasurementLock&) = delete;
    ~MeasurementLock() { measurements.releaseAll(); }

private:
    RubberS2P& measurements;
};
