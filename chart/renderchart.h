#pragma once

#include <QImage>
#include <QPainter>
#include <QSize>

#include "charthost.h"
#include "chartstate.h"
#include "recomputechart.h"

// Draws the chart of state for a frame of frameSize pixels without any window, as the main
// window's redraw does: attaches the chart with the default label font when it is detached
// (else adopts the size) and recomputes with the flags of the view in force.
RecomputeResult renderChart(ChartState& state, ChartHost& host, QSize frameSize);

// renderChart, then the image shown without cursor or rubber band into image (a null image
// unless the result is Drawn).
RecomputeResult renderChartImage(ChartState& state, ChartHost& host, QSize frameSize, QImage& image);

// Paints the chart of state's last drawing onto painter as paintChart does, for the view in
// force: the same picture as the chart's image, stroked as vector paths.
void paintDrawnChart(QPainter& painter, ChartState& state);
