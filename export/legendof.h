#pragma once

#include "chartlegend.h"
#include "chartview.h"
#include "exportinput.h"

// The legend of the plotted table: a line "displayName trace" in the trace's palette colour
// per exported trace (the first maximumLegendLines of them), the line that counts the rest and the units of
// both axes in the input's language (the value units of the traces shown, in the order dB, degrees, VSWR,
// delay, joined by ", "), and the group delay aperture as its note while delay traces are listed.
ChartLegend chartLegendOf(const ExportInput& input, const ChartView& chart);
