#pragma once

#include "complexmatrix.h"

// Converts the S-parameters of an n-port (s is n x n) from the reference resistance of each
// port, oldR[0] ... oldR[n - 1], to newR at every port. With equal references the numbers are
// those of the single-reference conversion.
void renormalizePorts(ComplexMatrix& s, const double* oldR, double newR = 50.0);
