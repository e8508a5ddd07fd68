#pragma once

#include <QImage>
#include <QPainter>

#include <cstdint>

#include "chartview.h"
#include "pixelrect.h"

// What is drawn over the finished chart when it is shown: a rubber-band rectangle, or else a
// cursor line at a pixel column (none at column 0 or less) or a marker ring.
struct ChartOverlay {
    int32_t column = 0;
    bool hasRectangle = false;
    // Corners of the rubber band in frame pixels: (left, top) from the first click and
    // (right, bottom) from the pointer, in any order.
    PixelRect rectangle;
    // A ring around the point of a Smith or polar chart's readout, in frame pixels.
    bool hasMarker = false;
    int32_t markerX = 0;
    int32_t markerY = 0;
};

// Draws the chart's finished image at the painter's origin and the overlay over it, with a
// 1-pixel black pen: the widget that shows the chart and presentChart paint alike with it.
void paintPresentation(QPainter& painter, const ChartView& chart, const ChartOverlay& overlay);

// The image to show in the chart frame: a copy of the finished chart of the frame's size with
// the overlay drawn over it; the chart's own image is never touched. A null image while the
// chart is detached or has no image.
QImage presentChart(ChartView& chart, const ChartOverlay& overlay = ChartOverlay());
