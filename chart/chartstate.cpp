#include "chartstate.h"

ChartState::ChartState()
    : rowVisible(static_cast<size_t>(visibilityMeasurements) * tracesPerMeasurement, 0)
{
    resetRowVisibility();
}

void ChartState::resetRowVisibility()
{
    for (size_t j = 0; j < rowVisible.size(); ++j)
        rowVisible[j] = traceEnabled[j % tracesPerMeasurement];
}

bool ChartState::traceVisible(int32_t trace) const
{
    return trace >= 0 && static_cast<size_t>(trace) < rowVisible.size()
        && rowVisible[static_cast<size_t>(trace)] != 0;
}
