#include "tracebuffers.h"

#include <algorithm>
#include <limits>
#include <new>

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
    freeVector(valueStore);
    hiddenValues.reset();
    freeVector(lastIndex);
    freeVector(firstIndex);
    freeVector(traceMin);
    freeVector(traceMax);
    traceCount = 0;
    pointCount = 0;
}

bool TraceBuffers::allocateValues(const std::vector<bool>& shown)
{
    const size_t n = static_cast<size_t>(pointCount);
    hiddenValues.reset(new (std::nothrow) double[n]);
    if (hiddenValues == nullptr)
        return false;
    std::fill_n(hiddenValues.get(), n, std::numeric_limits<double>::quiet_NaN());

    traceValues.assign(static_cast<size_t>(traceCount), hiddenValues.get());
    valueStore.clear();
    for (size_t t = 0; t < traceValues.size(); ++t) {
        if (t >= shown.size() || !shown[t])
            continue;
        valueStore.emplace_back(new (std::nothrow) double[n]);
        if (valueStore.back() == nullptr)
            return false;
        traceValues[t] = valueStore.back().get();
    }
    return true;
}

bool TraceBuffers::computed(int32_t trace) const
{
    return trace >= 0 && trace < traceCount && traceValues[static_cast<size_t>(trace)] != hiddenValues.get();
}
