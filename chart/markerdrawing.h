#pragma once

#include <QPainter>

#include <vector>

#include "chartview.h"
#include "curvevertices.h"
#include "gammamapping.h"
#include "locus.h"
#include "markermark.h"
#include "markerset.h"
#include "pixelrect.h"

struct ChartState;

// The markers of the state for its frequency chart, frequencies in displayed units: each set
// marker with the shown traces that have a value at it.
std::vector<MarkerMark> markerMarksOf(const ChartState& state);

// The markers over the curves of a frequency chart: a thin dashed line across the plot at each
// marker inside the frequency axis, "Mn" at its top, and a small triangle pointing down at
// each trace's value in the trace's colour (those outside the value axis left out).
void paintMarkers(QPainter& painter, const ChartView& chart, const std::vector<MarkerMark>& marks,
    const CurveScale& scale, const PixelRect& plot);

// The markers on a Smith or polar chart: on every locus a dot with "Mn" beside it at the value
// on the straight line between the locus's two points around the marker's frequency, for the
// markers inside the locus's range.
void paintPlaneMarkers(QPainter& painter, const ChartView& chart, const MarkerSet& markers,
    const std::vector<Locus>& loci, const GammaMapping& mapping);
