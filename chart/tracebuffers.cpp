#include "tracebuffers.h"

namespace {

template <typename T> void freeVector(std::vector<T>& v)
{
    std::vector<T>().swap(v);
}

} // namespace

void TraceBuffers::releaseBuffers()
{
    freeVector(pixelColumn);
    freeVector(freqGrid);
    freeVector(traceValues);
    freeVector(lastIndex);
    freeVector(firstIndex);
    freeVector(traceMin);
    freeVector(traceMax);
    traceCount = 0;
    pointCount = 0;
}
