#include "chartinput.h"

#include "chartstate.h"
#include "markerdrawing.h"
#include "phasetexts.h"

namespace {

// Whether a trace of the last recomputation shows group delay and is drawn.
bool delayShown(const ChartState& state)
{
    const TraceBuffers& buffers = state.buffers;
    if (buffers.phase.mode != PhaseDelay)
        return false;
    for (int32_t t = 1; t < buffers.traceCount; t += 2)
        if (buffers.computed(t) && state.traceVisible(t))
            return true;
    return false;
}

} // namespace

ChartInput chartInputOf(ChartState& state, int32_t autoX, int32_t autoY)
{
    const TraceBuffers& buffers = state.buffers;
    const ZoomEntry& zoom = state.currentZoom();
    ChartInput input;
    input.traceCount = buffers.traceCount;
    input.freqGrid = buffers.freqGrid.data();
    input.traceValues = buffers.traceValues.data();
    input.pointCount = buffers.pointCount;
    input.visible = state.rowVisible.data();
    input.visibleCount = static_cast<int32_t>(state.rowVisible.size());
    input.lastIndex = buffers.lastIndex.data();
    input.firstIndex = buffers.firstIndex.data();
    if (buffers.finiteSpans.size() == static_cast<size_t>(buffers.traceCount))
        input.finiteSpans = buffers.finiteSpans.data();
    input.smoothing = state.smoothing;
    if (autoY == 0) {
        input.yMin = zoom.yMin;
        input.yMax = zoom.yMax;
        input.yStep = zoom.yStep;
    }
    if (autoX == 0)
        input.xStep = zoom.xStep / state.unitMultiplier;
    for (LimitSegment segment : state.limits.segments) {
        if (state.traceEnabled[static_cast<size_t>(segment.kind)] == 0)
            continue;
        segment.f1 /= state.unitMultiplier;
        segment.f2 /= state.unitMultiplier;
        input.limitLines.push_back(segment);
    }
    input.markers = markerMarksOf(state);
    if (delayShown(state))
        input.valueUnit = delayUnitName(state.language, buffers.phase.delayExponent);
    return input;
}
