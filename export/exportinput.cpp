#include "exportinput.h"

#include "chartstate.h"

ExportInput exportInputOf(ChartState& state, Language language, double usableWidth, double usableHeight)
{
    ExportInput input(state.buffers, state.rowVisible);
    for (int32_t m = 0; m < state.measurements.itemCount; ++m) {
        const RubberS2PData* measurement = state.measurements.measurement(m);
        input.displayNames.push_back(measurement != nullptr ? measurement->displayName : std::string());
    }
    input.dbMode = state.dbMode;
    input.currentZoom = state.currentZoom();
    input.unitMultiplier = state.unitMultiplier;
    input.language = language;
    input.usableWidth = usableWidth;
    input.usableHeight = usableHeight;
    if (!state.limits.empty())
        input.verdicts = checkLimits(state.limits, state.measurements, state.dbMode, state.referenceIndex);
    input.markers = markerTable(state, shownRowTraces(state), language);
    return input;
}
