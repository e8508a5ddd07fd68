#pragma once

#include <cstdint>

// One view of the chart's axes. A fresh entry is the automatic view: all ranges and steps 0,
// both axes chosen on every redraw.
struct ZoomEntry {
    double xMin = 0; // left end of the frequency axis, hertz
    double xMax = 0; // right end of the frequency axis, hertz
    double yMin = 0; // bottom of the value axis, in plotted units
    double yMax = 0; // top of the value axis
    double xStep = 0; // frequency grid step, hertz
    double yStep = 0; // value grid step
    int32_t autoY = 1; // nonzero: the value axis is chosen on every redraw
    int32_t autoX = 1; // nonzero: the frequency axis is chosen on every redraw
};
