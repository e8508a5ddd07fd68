#pragma once

#include <cstdint>

#include "pixelrect.h"

// Conversions between axis values and pixels of the plot area. A plot narrower or lower than
// one pixel counts as one pixel, and an axis range that is empty, reversed or not finite as
// minimumAxisSpan above its start, so every mapping stays finite.

// Column of a grid frequency f on an axis from f0 (left edge) to f1 (right edge).
int32_t frequencyColumn(const PixelRect& plot, double f, double f0, double f1);

// Row of value v on an axis from yMin (bottom edge) to yMax (top edge).
int32_t valueRow(const PixelRect& plot, double v, double yMin, double yMax);

// Grid index under pointer column x for a grid of pointCount points spread over the plot's
// width, clamped to 0..pointCount - 1 (0 for an empty grid).
int32_t gridIndexAtColumn(const PixelRect& plot, int32_t x, int32_t pointCount);

// Value under pointer row y.
double valueAtRow(const PixelRect& plot, int32_t y, double yMin, double yMax);

// Frequency (hertz) under frame column x, for turning a zoom rectangle into a view.
double zoomFrequencyAt(const PixelRect& plot, int32_t x, double xMin, double xMax);

// Value under frame row y, for turning a zoom rectangle into a view.
double zoomValueAt(const PixelRect& plot, int32_t y, double yMin, double yMax);
