#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "largeblock.h"
#include "phasetraces.h"
#include "valuespan.h"

// The results of the last recomputation of the chart, read by the cursor readout, the zoom
// and the spreadsheet export until the next one. Trace t belongs to measurement t / 8.
struct TraceBuffers {
    TraceBuffers() = default;
    TraceBuffers(const TraceBuffers&) = delete;
    TraceBuffers& operator=(const TraceBuffers&) = delete;

    // Frees every array; traceCount and pointCount become 0.
    void releaseBuffers();
    // Empties the results as releaseBuffers does but keeps the room of the trace values for
    // the next recomputation, so that a redraw does not page its values in afresh.
    void clearResults();
    // Gives every trace pointCount values: shown traces their own array (not initialised),
    // hidden ones the shared array of not-a-number values. Returns false when memory ran out.
    bool allocateValues(const std::vector<bool>& shown);
    // Whether trace t holds computed values rather than the shared hidden array.
    bool computed(int32_t trace) const;

    // Pixel column of every grid point in the chart frame, written by the drawing. Empty
    // until a recomputation has run.
    std::vector<int32_t> pixelColumn;
    // Frequency of every grid point in displayed units (hertz / ChartState::unitMultiplier).
    std::vector<double> freqGrid;
    // traceValues[t][i]: plotted value of trace t at grid point i, defined only for i in
    // firstIndex[t]..lastIndex[t]. Only the traces shown at the recomputation are computed;
    // the others read as not-a-number everywhere.
    std::vector<double*> traceValues;
    int32_t traceCount = 0; // 8 x number of measurements
    int32_t pointCount = 0; // number of grid points, at least 2 after a recomputation
    // Grid range covered by the trace's measurement; a measurement without points has
    // firstIndex above lastIndex.
    std::vector<int32_t> lastIndex;
    std::vector<int32_t> firstIndex;
    // Smallest and largest value of the trace inside the value axis range (both 0 when none).
    std::vector<double> traceMin;
    std::vector<double> traceMax;
    // Per trace of the frequency chart: the span and count of the finite values at
    // firstIndex..lastIndex - 1, from which the automatic value axis is chosen. One pass over
    // the values then serves the axis, the statistics and the curves' gaps. Empty otherwise.
    std::vector<ValueSpan> finiteSpans;
    // The mode, delay unit and aperture the phase traces were computed with.
    PhaseResults phase;

private:
    // The arrays of the computed traces, one after the other, kept from one recomputation to
    // the next; made anew when it is too small or more than four times too large.
    ReusedLargeBlock valueStore;
    std::unique_ptr<double[]> hiddenValues; // pointCount not-a-number values
};
