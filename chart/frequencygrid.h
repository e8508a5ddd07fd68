#pragma once

#include <cstdint>

#include "rubbers2p.h"
#include "zoomentry.h"

// Upper bound of the frequency grid, however wide the view is against the data.
constexpr int32_t maxGridPoints = 1000000;
// Memory that the trace buffers of one recomputation may take, over all measurements.
constexpr double traceBufferBudget = 512.0 * 1024 * 1024;

// Largest mean frequency step (hertz) among the measurements, the earlier one on equal
// steps; steps that are not positive and finite (one-point measurements) do not count.
// 0 when no measurement has a usable step.
double coarsestMeanStep(RubberS2P& measurements);

// The fewest mean steps of a measurement that a view must hold for the measurement to resolve
// it; coarser measurements are drawn as straight lines between their points.
constexpr int32_t minStepsPerView = 16;

// Whether m resolves a view span hertz wide: its mean step is positive and below
// span / minStepsPerView.
bool resolvesSpan(const RubberS2PData& m, double span);

// Mean frequency step (hertz) of the grid of the view from low to high on a plot plotWidth
// pixels wide (0 when no plot is known). It is the smallest mean step among the measurements
// with at least two points in the view, so that a fine measurement keeps its own points beside
// coarse ones, but never finer than a quarter of a pixel column, and never coarser than the
// largest step among the measurements that resolve the span (the earlier one on equal steps;
// coarsestMeanStep when none resolves it), so that a set of equally fine measurements keeps
// its common step.
double gridStepForView(RubberS2P& measurements, double low, double high, int32_t plotWidth);

// Most grid points that keep the trace buffers of measurementCount measurements within
// traceBufferBudget, and never more than maxGridPoints; at least 2.
int32_t gridPointLimit(int32_t measurementCount);

// Number of frequency grid points for the view on a plot plotWidth pixels wide, at least 2
// and at most gridPointLimit. Snaps xMin and xMax of the view to multiples of the grid step s,
// inward (xMin up, xMax down), so that the view shows the data to within one step at both
// ends; s is gridStepForView of the view once its ends are repaired, and the count is then
// (xMax - xMin)/s + 1, rounded. The view always leaves with finite ends and xMax > xMin:
// - reversed ends are swapped; ends that are not finite are replaced by the measurements'
//   frequency range;
// - a view that holds no two multiples of s is snapped outward instead, and a single
//   multiple gets the next one above it;
// - without a usable step the ends stay, the grid has 2 points, and an empty range is
//   widened by 1 Hz (or a billionth of its frequency, if more).
// gridStep receives s, or 0 when the ends were not snapped to a step.
int32_t gridPointCount(RubberS2P& measurements, ZoomEntry& zoom, int32_t plotWidth, double& gridStep);
int32_t gridPointCount(RubberS2P& measurements, ZoomEntry& zoom, int32_t plotWidth);
