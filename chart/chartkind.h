#pragma once

#include <cstdint>

// What the chart plots: the traces against frequency, or the complex S-parameters themselves
// on a Smith chart (reflections read as impedances) or a polar chart.
enum class ChartKind : int32_t { frequency = 0, smith = 1, polar = 2 };

// The chart kind a stored number names; anything else is the frequency chart.
inline ChartKind chartKindOf(int32_t stored)
{
    if (stored == static_cast<int32_t>(ChartKind::smith))
        return ChartKind::smith;
    if (stored == static_cast<int32_t>(ChartKind::polar))
        return ChartKind::polar;
    return ChartKind::frequency;
}
