#include "tracebuffers.h"

#include <algorithm>
#include <cstdint>
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
    clearResults();
    valueStore.release();
}

void TraceBuffers::clearResults()
{
    freeVector(pixelColumn);
    freeVector(freqGrid);
    freeVector(traceValues);
    hiddenValues.reset();
    freeVector(lastIndex);
    freeVector(firstIndex);
    freeVector(traceMin);
    freeVector(traceMax);
    freeVector(finiteSpans);
    traceCount = 0;
    pointCount = 0;
    phase = PhaseResults();
}

bool TraceBuffers::allocateValues(const std::vector<bool>& shown)
{
    const size_t n = static_cast<size_t>(pointCount);
    hiddenValues.reset(new (std::nothrow) double[n]);
    if (hiddenValues == nullptr)
        return false;
    std::fill_n(hiddenValues.get(), n, std::numeric_limits<double>::quiet_NaN());

    traceValues.assign(static_cast<size_t>(traceCount), hiddenValues.get());
    const size_t shownCount = static_cast<size_t>(
        std::count(shown.begin(), shown.begin() + std::min(shown.size(), traceValues.size()), true));
    if (shownCount == 0 || n == 0)
        return true;
    if (n > SIZE_MAX / sizeof(double) / shownCount)
        return false;
    const size_t bytes = shownCount * n * sizeof(double);
    if (valueStore.size() / 4 > bytes)
        valueStore.release();
    auto* values = static_cast<double*>(valueStore.reserve(bytes));
    if (values == nullptr)
        return false;
    for (size_t t = 0; t < traceValues.size() && t < shown.size(); ++t) {
        if (shown[t]) {
            traceValues[t] = values;
            values += n;
        }
    }
    return true;
}

bool TraceBuffers::computed(int32_t trace) const
{
    return trace >= 0 && trace < traceCount && traceValues[static_cast<size_t>(trace)] != hiddenValues.get();
}
