#include "markervalues.h"

#include <limits>

#include "chartstate.h"
#include "vectorstate.h"

double MarkerValues::at(int32_t trace, int32_t number) const
{
    if (trace < 0 || trace >= traceCount || number < 1 || number > markerSlots)
        return std::numeric_limits<double>::quiet_NaN();
    return values[static_cast<size_t>(trace) * markerSlots + static_cast<size_t>(number - 1)];
}

TraceView traceViewOf(const ChartState& state)
{
    TraceView view;
    view.dbMode = state.dbMode;
    view.phaseMode = phaseModeOf(state.phaseMode);
    view.aperture = delayApertureOf(state.delayAperture);
    view.delayScale = delayUnitsPerSecond(state.buffers.phase.delayExponent);
    return view;
}

RubberS2PData* plottedReference(ChartState& state)
{
    const int32_t r = state.referenceIndex;
    if (state.chartKind != ChartKind::frequency || r < 0 || r >= state.measurements.itemCount)
        return nullptr;
    return state.measurements.measurement(r);
}

void computeMarkerValues(ChartState& state)
{
    MarkerValues& result = state.markerValues;
    const int32_t count = state.measurements.itemCount;
    result.traceCount = tracesPerMeasurement * count;
    result.values.assign(static_cast<size_t>(result.traceCount) * markerSlots,
        std::numeric_limits<double>::quiet_NaN());
    const std::vector<int32_t> numbers = state.markers.numbers();
    if (numbers.empty())
        return;
    const TraceView view = traceViewOf(state);
    RubberS2PData* reference = plottedReference(state);
#pragma omp parallel
    {
        clearUpperVectorState();
        OwnTrace trace;
#pragma omp for schedule(dynamic)
        for (int32_t mi = 0; mi < count; ++mi) {
            RubberS2PData* m = state.measurements.measurement(mi);
            if (m == nullptr || m->itemCount == 0)
                continue;
            for (int32_t k = 0; k < tracesPerMeasurement; ++k) {
                const int32_t t = tracesPerMeasurement * mi + k;
                if (!state.traceVisible(t))
                    continue;
                // Without a reference the values kept for the curves serve as they are.
                const double* kept = reference == nullptr ? state.ownValues.values(mi, k) : nullptr;
                if (kept != nullptr)
                    keptTrace(*m, kept, k, view, trace);
                else
                    ownTrace(*m, reference, k, view, trace);
                for (const int32_t n : numbers)
                    result.values[static_cast<size_t>(t) * markerSlots + static_cast<size_t>(n - 1)]
                        = trace.valueAt(state.markers.frequency(n));
            }
        }
    }
}

double markerCell(const ChartState& state, int32_t trace, int32_t number)
{
    const double value = state.markerValues.at(trace, number);
    const int32_t reference = state.markers.deltaRef();
    if (reference == 0 || reference == number)
        return value;
    return value - state.markerValues.at(trace, reference);
}
