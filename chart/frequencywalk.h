#pragma once

#include <cstdint>

#include "gridsampling.h"

// PointWalk's index answers for a measurement whose strictly ascending frequencies are kept in
// an array of their own: walking a few adjacent numbers instead of the points themselves, the
// same indexes and shares for every grid frequency.
class FrequencyWalk {
public:
    // frequencies: count (at least 2) strictly ascending values.
    FrequencyWalk(const double* frequencies, int32_t count);

    int32_t nearestIndex(double x);
    PointWalk::IndexNeighbours neighbourIndices(double x);

private:
    // Moves the walk to the frequency at or below x (the first one below them all).
    void moveTo(double x);

    const double* f;
    int32_t last;
    int32_t at = 0;
};
