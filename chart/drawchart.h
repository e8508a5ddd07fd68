#pragma once

#include <QPainter>

#include <cstdint>

#include "chartinput.h"
#include "chartview.h"
#include "pixelrect.h"

// The axes of one drawing: the value range, both grid steps, the label factor, the grid ends
// f0 < f1 the curves are scaled to, and the number of value divisions.
struct ChartAxes {
    double yMin = 0;
    double yMax = 0;
    double yStep = 0;
    double xStep = 0;
    double factor = 1; // value labels show value * factor
    double f0 = 0;
    double f1 = 0;
    int32_t divisions = 1;
};

// Most grid lines drawn across either axis.
constexpr int32_t maxGridLines = 100;

// The plot area of the chart's frame as drawing uses it: the frame less the margins, at least
// one pixel wide and high.
PixelRect drawingPlotRect(const ChartView& chart);

// Finishes the choice of the axes for a plot area: the automatic value range from the shown
// traces (when input.yMin >= input.yMax), its widening to whole steps, the steps left at 0,
// the label factor and the number of value divisions. Values that are not finite take no part
// in the automatic range.
ChartAxes chooseAxes(const ChartInput& input, const PixelRect& plot, int32_t labelWidth);

// Makes the chart's image the frame's size when the frame changed.
void adoptFrameSize(ChartView& chart);

// Paints the background and the frame's outline in the chart's font: what a Smith or polar
// chart lies on.
void paintChartFrame(QPainter& painter, const ChartView& chart);

// The chart frame with the frequency plot's border (the bump edge on its left and bottom
// beside the axis labels, a line on its right).
void paintPlotFrame(QPainter& painter, const ChartView& chart, const PixelRect& plot);

// Chooses the axes as drawChart would and fills the given outputs with them, without drawing:
// the frequency view's results under a chart of another kind. Adopts the frame's size first.
void layOutChart(ChartView& chart, const ChartInput& input);

// Paints the complete chart into the chart's image: background, frame, plot border, grid,
// frequency and value labels, the value-scale note and one curve per shown trace. Adopts the
// frame's size first when it changed, fills input.pixelColumn and the given outputs with the
// axes used. Does nothing while the chart is detached.
void drawChart(ChartView& chart, const ChartInput& input);

// Paints the chart drawChart last drew for the chart's frame onto any painter, such as a
// vector file's: the same grid, labels and note, and the same curve vertices stroked as
// polylines in the trace pens (two pixels wide, where the image's lines lie). Neither the
// chart's image nor the input's outputs change. Does nothing while the chart is detached.
void paintChart(QPainter& painter, const ChartView& chart, const ChartInput& input);
