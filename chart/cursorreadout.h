#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ChartState;

// Where the pointer stands on the chart: the grid column under it and the value at its height.
struct ChartPointer {
    int32_t column = 0;
    double value = 0;
};

// The pointer at pixel (x, y) of the chart frame, when a recomputation has given the chart
// its grid and the pixel lies inside the plot area; none otherwise.
std::optional<ChartPointer> chartPointerAt(ChartState& state, int32_t x, int32_t y);

// Columns of the readout strip over the chart.
enum ReadoutColumn : int32_t {
    ReadoutFrequency,
    ReadoutMax,
    ReadoutMaxName,
    ReadoutMin,
    ReadoutMinName,
    ReadoutDiff,
    ReadoutAperture, // the group delay aperture while delay traces are shown, else empty
    readoutColumnCount
};

// What the cursor shows at one grid column.
struct CursorReadout {
    // Per file list row: the value of its trace at the column, "%5.4lg" (and the delay unit
    // for a trace that shows group delay), or empty when the trace is hidden, has no value
    // there or lies outside the value axis.
    std::vector<std::string> current;
    // The frequency, "Max: ..." with the name of its measurement, "Min: ..." with its name,
    // "Diff: ..." and the aperture label of the delay traces (see apertureLabel); all empty
    // when no row has a value. Max and Min carry the unit of their trace, Diff the unit both
    // share.
    std::array<std::string, readoutColumnCount> strip;
    // The row whose value is nearest the pointer's value (the earlier on a tie); -1 for none.
    int32_t hoverRow = -1;
};

// The readout at grid column c for the file list rows whose traces are rowTraces, top to
// bottom, with the pointer at pointerValue. None when the last recomputation left no traces
// or c is not a grid column.
std::optional<CursorReadout> cursorReadout(
    ChartState& state, const std::vector<int32_t>& rowTraces, int32_t column, double pointerValue);

// Format of the readout's frequency, chosen from the axis's right end (hertz) in the
// displayed unit: a hundredth of it from 1 up "%lg", from 0.1 "%.1lf", from 0.01 "%.2f",
// else "%.3lf".
const char* readoutFrequencyFormat(double xMax, double multiplier);
