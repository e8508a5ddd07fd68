#include "chartstate.h"

#include <algorithm>

ChartState::ChartState()
    : rowVisible(static_cast<size_t>(visibilityMeasurements) * tracesPerMeasurement, 0)
{
    resetRowVisibility();
}

void ChartState::ensureRowVisibility()
{
    const size_t needed = static_cast<size_t>(std::max(measurements.itemCount, 0)) * tracesPerMeasurement;
    while (rowVisible.size() < needed)
        rowVisible.insert(rowVisible.end(), traceEnabled.begin(), traceEnabled.end());
}

void ChartState::resetRowVisibility()
{
    ensureRowVisibility();
    for (size_t j = 0; j < rowVisible.size(); ++j)
        rowVisible[j] = traceEnabled[j % tracesPerMeasurement];
}

void ChartState::forgetMissingReference()
{
    if (referenceIndex >= measurements.itemCount)
        referenceIndex = -1;
}

void ChartState::invertEnabledTraces()
{
    ensureRowVisibility();
    for (int32_t m = 0; m < measurements.itemCount; ++m) {
        for (int32_t k = 0; k < tracesPerMeasurement; ++k) {
            if (traceEnabled[static_cast<size_t>(k)] == 0)
                continue;
            int32_t& flag
                = rowVisible[static_cast<size_t>(m) * tracesPerMeasurement + static_cast<size_t>(k)];
            flag = flag == 0 ? 1 : 0;
        }
    }
}

bool ChartState::traceHeld(int32_t trace) const
{
    const int32_t kind = trace % tracesPerMeasurement;
    if (kindHeld(1, kind))
        return true;
    // Every slot of a loaded list holds its measurement, so looking it up changes nothing.
    const RubberS2PData* m = const_cast<RubberS2P&>(measurements).measurement(trace / tracesPerMeasurement);
    return m == nullptr || kindHeld(m->portCount, kind);
}

bool ChartState::traceVisible(int32_t trace) const
{
    return trace >= 0 && static_cast<size_t>(trace) < rowVisible.size()
        && rowVisible[static_cast<size_t>(trace)] != 0 && traceHeld(trace);
}
