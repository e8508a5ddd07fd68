#pragma once

#include <cmath>
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

// Whether an axis step can be used: finite and above 0.
inline bool finiteAndPositive(double d)
{
    return d > 0 && std::isfinite(d);
}

// Whether a view can be drawn as it stands: finite ends in order and finite positive steps.
inline bool drawableView(const ZoomEntry& v)
{
    return std::isfinite(v.xMin) && std::isfinite(v.xMax) && v.xMin < v.xMax && std::isfinite(v.yMin)
        && std::isfinite(v.yMax) && v.yMin < v.yMax && finiteAndPositive(v.xStep)
        && finiteAndPositive(v.yStep);
}
