#pragma once

#include <cstdint>
#include <vector>

#include "limitmask.h"
#include "markermark.h"
#include "valuespan.h"

#include <string>

struct ChartState;

// What one drawing of the chart is made from. Arrays are borrowed from the caller for the
// duration of drawChart; optional ones may be null.
struct ChartInput {
    int32_t traceCount = 0; // number of traces (8 per measurement)
    const double* freqGrid = nullptr; // pointCount grid frequencies in displayed units, ascending
    const double* const* traceValues = nullptr; // traceValues[t][i]: value of trace t at grid point i
    int32_t pointCount = 0;
    int32_t* pixelColumn = nullptr; // receives the pixel column of every grid point
    // Per trace: nonzero draws it; null draws every trace. visibleCount entries; traces at or
    // beyond it are not drawn.
    const int32_t* visible = nullptr;
    int32_t visibleCount = 0;
    // Receive the value range and the steps finally used.
    double* yMinOut = nullptr;
    double* yMaxOut = nullptr;
    double* xStepOut = nullptr;
    double* yStepOut = nullptr;
    const int32_t* lastIndex = nullptr; // per trace: last grid index to use; null: pointCount - 1
    const int32_t* firstIndex = nullptr; // per trace: first grid index to use; null: 0
    // Per trace: the span and count of its finite values at firstIndex..lastIndex - 1 (the
    // values the automatic value range takes, see chooseAxes); given only with lastIndex.
    // Null: the values are scanned for them.
    const ValueSpan* finiteSpans = nullptr;
    int32_t smoothing = 0; // nonzero: simplify curves with a running line fit
    double yMin = 0; // value range; yMin >= yMax asks for an automatic range
    double yMax = 0;
    double yStep = 0; // value grid step; 0 asks for niceStep
    double xStep = 0; // frequency grid step in displayed units; 0 asks for niceStep
    // Limit segments drawn over the curves, frequencies in displayed units.
    std::vector<LimitSegment> limitLines;
    // Markers drawn over the curves.
    std::vector<MarkerMark> markers;
    // The unit written at the top of the value labels (UTF-8), such as the delay unit of the
    // phase traces in the delay mode; empty for none.
    std::string valueUnit;
};

// The input that draws the chart state's last results for its view in force: the buffers,
// the visibility, the smoothing, and the axes the automatic flags leave to the drawing or else
// take from the view (its frequency step in displayed units), the limit segments of the trace
// kinds enabled, the markers, and the delay unit in the state's language when a delay trace is shown. No
// pixel columns and no outputs.
ChartInput chartInputOf(ChartState& state, int32_t autoX, int32_t autoY);
