#pragma once

#include <vector>

#include "gammamapping.h"
#include "planegrid.h"

// Reference impedance the grid's labels are given for, ohms.
constexpr double smithReferenceOhms = 50;

// The normalised resistances and reactances the Smith grid always draws.
const std::vector<double>& smithMainValues();

// The lines of the Smith grid for the part of the plane the mapping shows: the rim, the real
// axis, a circle of constant resistance and two arcs of constant reactance (+x and -x) per main
// value, labelled in ohms for smithReferenceOhms ("25", "+j25", "−j25"), finer circles and arcs
// with their labels when the view is zoomed in, and with admittance the circles of constant
// conductance and susceptance at the same values, unlabelled.
std::vector<GridCurve> smithGrid(const GammaMapping& mapping, bool admittance);
