#include "frequencywalk.h"

FrequencyWalk::FrequencyWalk(const double* frequencies, int32_t count)
    : f(frequencies)
    , last(count - 1)
{
}

void FrequencyWalk::moveTo(double x)
{
    while (at < last && f[at + 1] <= x)
        ++at;
    while (at > 0 && f[at] > x)
        --at;
}

int32_t FrequencyWalk::nearestIndex(double x)
{
    moveTo(x);
    if (at == last)
        return at;
    return f[at + 1] - x > x - f[at] ? at : at + 1;
}

PointWalk::IndexNeighbours FrequencyWalk::neighbourIndices(double x)
{
    if (!(x > f[0] && x < f[last])) {
        const int32_t end = nearestIndex(x);
        return { end, end, 0.0 };
    }
    moveTo(x);
    return { at, at + 1, (x - f[at]) / (f[at + 1] - f[at]) };
}
