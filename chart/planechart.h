#pragma once

#include <QPainter>

#include <vector>

#include "chartkind.h"
#include "chartview.h"
#include "gammamapping.h"
#include "language.h"
#include "locus.h"
#include "markerset.h"

struct ChartState;

// What one drawing of a Smith or polar chart is made from; borrowed for the drawing.
struct PlaneInput {
    ChartKind kind = ChartKind::smith;
    bool admittance = false; // the Smith grid adds the admittance circles
    Language language = Language::english; // of the admittance labels' unit
    const std::vector<Locus>* loci = nullptr;
    const PlaneView* view = nullptr; // null: the whole chart
    const MarkerSet* markers = nullptr; // drawn as labelled dots on the loci; null: none
};

// The input that draws the state's last loci for its chart kind and plane view in force.
PlaneInput planeInputOf(const ChartState& state);

// Where the drawing puts the plane: the view given, or the whole chart (the rim of a Smith
// chart, the outer circle of a polar one) with room for the labels outside it.
GammaMapping planeMapping(const ChartView& chart, const PlaneInput& input);

// Paints the Smith or polar chart into the chart's image: background, frame, grid and labels,
// then each locus in the colour of its magnitude trace, two pixels wide, with a dot at its
// first point. Adopts the frame's size first; returns the mapping used. Does nothing while the
// chart is detached.
GammaMapping drawPlaneChart(ChartView& chart, const PlaneInput& input);

// The same chart onto any painter, such as a vector file's: the same grid, labels, loci and
// dots, the loci stroked as polylines in the trace pens.
void paintPlaneChart(QPainter& painter, const ChartView& chart, const PlaneInput& input);
