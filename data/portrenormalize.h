#pragma once

#include "complexmatrix.h"

// The reference resistance to which every measurement is converted, in ohm.
constexpr double kSystemResistance = 50.0;

// Whether a reference resistance differs from kSystemResistance by more than a tenth of an ohm,
// enough to be converted; closer ones are taken as kSystemResistance.
bool needsRenormalize(double refResistance);

// Converts the S-parameters of an n-port (s is n x n) from the reference resistance of each
// port, oldR[0] ... oldR[n - 1], to newR at every port. With equal references the numbers are
// those of the single-reference conversion.
void renormalizePorts(ComplexMatrix& s, const double* oldR, double newR = kSystemResistance);

// Converts the S-parameters of a two-port (s is 2 x 2) from reference resistance oldR at both
// ports to newR.
void renormalizeTwoPort(ComplexMatrix& s, double oldR, double newR = kSystemResistance);

// Converts S11, s(0, 0), of a one-port from oldR to kSystemResistance on its own; the other
// elements stay as they are.
void renormalizeReflection(ComplexMatrix& s, double oldR);
