#pragma once

#include <cstdint>

#include "charthost.h"
#include "chartstate.h"
#include "tracebuffers.h"

// Plot areas narrower or lower than this many pixels are not recomputed: the old image stays.
constexpr int32_t minimumPlotPixels = 32;

enum class RecomputeResult {
    Drawn, // the traces were computed and the chart drawn
    FrameTooSmall, // the chart is detached or its plot area is too small; nothing changed
    NoMeasurements, // nothing is loaded; the chart frame was hidden
    OutOfMemory, // memory ran out; the trace buffers are left empty, the chart image as it was
};

// Turns the loaded measurements into what the chart shows: fixes the frequency axis (from the
// data when autoX is set, else from the axis edit boxes, which are also read for a manual
// value axis), lays a common frequency grid over it, samples every shown trace on the grid
// from its values at its measurement's own points, kept in ChartState::ownValues (the nearest
// point, or the straight line between points for measurements coarser than the grid), or, when
// a reference measurement is chosen, from interpolated S-parameters, subtracts the reference,
// draws the chart, computes each trace's statistics and writes the view back into the axis
// edit boxes and the statistics into the file list. The main window's redraw passes the flags
// of the view in force.
RecomputeResult recomputeChart(ChartState& state, ChartHost& host, int32_t autoX, int32_t autoY);

// Smallest and largest value of every trace inside yMin..yMax over its grid range; both 0
// when no value lies inside.
void computeStatistics(TraceBuffers& buffers, double yMin, double yMax);
