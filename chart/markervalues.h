#pragma once

#include <cstdint>
#include <vector>

#include "owntrace.h"
#include "settingsrecord.h"

struct ChartState;

// The values of every shown trace at every marker, read from the trace's own points (see
// OwnTrace::valueAt), as the chart plots them: relative to the reference on a frequency chart
// with one, group delay in the unit of the last recomputation.
struct MarkerValues {
    int32_t traceCount = 0;
    // values[t * markerSlots + n - 1]: trace t at marker n; not a number where the trace is
    // hidden, the marker is not set or lies outside the measurement's range.
    std::vector<double> values;

    // Trace t at marker n; not a number for anything not held.
    double at(int32_t trace, int32_t number) const;
};

// The view of the state's traces as its last recomputation plotted them.
TraceView traceViewOf(const ChartState& state);

// The reference measurement the traces are plotted relative to, or null: only a frequency
// chart plots them so.
RubberS2PData* plottedReference(ChartState& state);

// Reads every shown trace at the state's markers into state.markerValues. The measurements
// must be locked.
void computeMarkerValues(ChartState& state);

// What the marker table shows of trace t at marker n: its value, or with a delta reference
// other than n the value less the trace's value at the reference; not a number where either
// is missing.
double markerCell(const ChartState& state, int32_t trace, int32_t number);
