#include "exportedtraces.h"

#include <algorithm>

#include "tracevalues.h"

namespace {

// The traces the buffers hold whole: each has its values and its grid range.
int32_t usableTraceCount(const TraceBuffers& buffers)
{
    size_t count = static_cast<size_t>(std::max<int32_t>(buffers.traceCount, 0));
    count = std::min(
        { count, buffers.traceValues.size(), buffers.firstIndex.size(), buffers.lastIndex.size() });
    return static_cast<int32_t>(count);
}

} // namespace

std::vector<int32_t> exportedTraces(const ExportInput& input)
{
    std::vector<int32_t> traces;
    const int32_t count = usableTraceCount(input.buffers);
    for (int32_t t = 0; t < count; ++t) {
        const size_t k = static_cast<size_t>(t);
        if (k < input.rowVisible.size() && input.rowVisible[k] != 0 && input.buffers.computed(t))
            traces.push_back(t);
    }
    return traces;
}

std::string displayNameOf(const ExportInput& input, int32_t trace)
{
    const size_t m = static_cast<size_t>(trace / tracesPerMeasurement);
    return m < input.displayNames.size() ? input.displayNames[m] : std::string();
}
