#pragma once

#include "chartlegend.h"
#include "chartstate.h"
#include "chartview.h"
#include "exportinput.h"

// The legend of the plotted table: a line "displayName trace" in the trace's palette colour
// per exported trace (the first maximumLegendLines of them), the line that counts the rest and the units of
// both axes in the input's language (the value units of the traces shown, in the order dB, degrees, VSWR,
// delay, joined by ", "), and the group delay aperture as its note while delay traces are listed.
ChartLegend chartLegendOf(const ExportInput& input, const ChartView& chart);

// The legend of the chart the state shows: chartLegendOf for the frequency chart; for a Smith
// or polar chart a line "displayName S11" per drawn locus in its colour (the first
// maximumLegendLines of them) and the line that counts the rest, without axis units.
ChartLegend legendOfShownChart(const ExportInput& input, const ChartState& state);
