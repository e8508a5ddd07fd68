#pragma once

#include <vector>

#include "gammamapping.h"
#include "language.h"
#include "planegrid.h"

// Reference impedance the grid's labels are given for, ohms.
constexpr double smithReferenceOhms = 50;

// The normalised resistances and reactances the Smith grid always draws.
const std::vector<double>& smithMainValues();

// The lines of the Smith grid for the part of the plane the mapping shows: the rim, the real
// axis, a circle of constant resistance and two arcs of constant reactance (+x and -x) per main
// value, labelled in ohms for smithReferenceOhms ("25", "+j25", "−j25"), finer circles and arcs
// with their labels when the view is zoomed in, and with admittance the circles of constant
// conductance and susceptance at the same values, labelled in millisiemens in the language
// ("20 mS", "+j20 mS") beside the impedance labels rather than over them.
std::vector<GridCurve> smithGrid(const GammaMapping& mapping, bool admittance, Language language);
