#pragma once

#include <vector>

#include "gammamapping.h"
#include "locus.h"
#include "planegrid.h"

// The step of the polar grid's magnitude circles: a nice step giving about five circles up to
// the larger of 1 and the given magnitude.
double polarStep(double largestMagnitude);

// The radius of the polar grid's outer circle: the larger of 1 and the largest finite |S| of
// the loci, rounded up to a whole step.
double polarOuterRadius(const std::vector<Locus>& loci);

// The lines of the polar grid out to outer: magnitude circles a step apart labelled on the 0°
// ray, the outer one solid; rays every 30° labelled in degrees outside the outer circle; and,
// when the view is zoomed in, finer circles and, where fewer than three of the main rays cross
// the view, finer rays (10°, 5°, 2°, 1°, 0.5° ... apart), all with labels precise enough to
// tell them apart.
std::vector<GridCurve> polarGrid(const GammaMapping& mapping, double outer);
