#pragma once

#include <QPoint>

#include <cstdint>
#include <vector>

#include "chartinput.h"
#include "curvevertices.h"

// Whether trace t of the input is drawn, and the first and last grid index it uses.
bool traceShown(const ChartInput& input, int32_t t);
int32_t traceStart(const ChartInput& input, int32_t t);
int32_t traceEnd(const ChartInput& input, int32_t t);

// One shown trace's curve in frame pixels: a polyline per run of values the trace has.
struct ShownCurve {
    int32_t trace = 0;
    std::vector<std::vector<QPoint>> pieces;
};

// The curves of the shown traces in trace order, each cut into a piece per run of finite values,
// so that a value the trace does not have (the dB value of an exact zero) breaks the curve
// instead of being bridged. The vertices are found on all threads; with smoothing, runs over
// the same grid points are smoothed several at once. A curve whose vertices find no memory is
// left without pieces.
std::vector<ShownCurve> shownCurves(const ChartInput& input, const CurveScale& scale);
